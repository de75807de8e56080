// Opening the options dialog (created, filled from the store, shown) with a
// 2000 x 2000 JPEG as the report picture, against no picture; and the preview
// decoding against a full load of the same file.
#include "options_support.h"
#include "support.h"

#include "desktop/messages.h"
#include "engine/picture/picture.h"
#include "settings/optionsform.h"
#include "settings/optionspicture.h"
#include "settings/picturedialog.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>

using namespace accrua;

namespace {

struct Fixture {
    QTemporaryDir dir;
    QString storePath = dir.path() + QStringLiteral("/Accrua.conf");
    QString jpegPath = dir.path() + QStringLiteral("/camera.jpg");

    Fixture()
    {
        testsupport::ensureWidgetsApp();
        testsupport::writeFile(jpegPath, testsupport::encodeJpeg(testsupport::patternImage(2000, 2000),
                                                                 testsupport::JpegKind::Baseline420));
    }

    void storeImagePath(const QString &path) const
    {
        settings::SettingsStore store(settings::FileSettingsFactory(storePath));
        store.writeString(QStringLiteral("IMAGEPATH"), path);
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void openDialog(benchmark::State &state, const QString &imagePath)
{
    Fixture &f = fixture();
    f.storeImagePath(imagePath);
    desktop::ScriptedMessageService messages;
    settings::ScriptedPictureBrowser browser;
    for (auto _ : state) {
        settings::TForm_SetOptions dialog(settings::FileSettingsFactory(f.storePath), messages, &browser);
        dialog.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog.Image->pixmap().width());
        dialog.close();
    }
    if (!messages.shown().empty())
        state.SkipWithError("the dialog reported an error");
}

void BM_OpenOptions_Jpeg2000(benchmark::State &state)
{
    openDialog(state, fixture().jpegPath);
}
BENCHMARK(BM_OpenOptions_Jpeg2000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenOptions_NoPicture(benchmark::State &state)
{
    openDialog(state, QStringLiteral("c:\\"));
}
BENCHMARK(BM_OpenOptions_NoPicture)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Preview_CutAtEdges_Jpeg2000(benchmark::State &state)
{
    for (auto _ : state) {
        const settings::PreviewPicture p = settings::loadPreviewPicture(fixture().jpegPath, QSize(190, 50),
                                                                        settings::PreviewFit::CutAtEdges);
        benchmark::DoNotOptimize(p.image.constBits());
    }
}
BENCHMARK(BM_Preview_CutAtEdges_Jpeg2000)->Unit(benchmark::kMillisecond);

void BM_Preview_ScaleToFit_Jpeg2000(benchmark::State &state)
{
    for (auto _ : state) {
        const settings::PreviewPicture p = settings::loadPreviewPicture(fixture().jpegPath, QSize(156, 156),
                                                                        settings::PreviewFit::ScaleToFit);
        benchmark::DoNotOptimize(p.image.constBits());
    }
}
BENCHMARK(BM_Preview_ScaleToFit_Jpeg2000)->Unit(benchmark::kMillisecond);

void BM_FullLoad_Jpeg2000(benchmark::State &state)
{
    for (auto _ : state) {
        const QImage image = engine::picture::loadPicture(fixture().jpegPath);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_FullLoad_Jpeg2000)->Unit(benchmark::kMillisecond);

} // namespace
