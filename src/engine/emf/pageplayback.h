// Playing report pages onto a paged device, a printer or a PDF writer: each
// page on a sheet of its own size without margins, so that print, PDF and
// screen show the same layout. The printer, the PDF writer and the preview's
// Print all go through playPages; opening a report file checks its pages with
// firstBadPage, the same check playPages makes before it starts.
#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QPagedPaintDevice;

namespace accrua::engine::emf {

// The sheet for a page of `pagePixels` (96 per inch): that size, landscape
// when it is wider than high, no margins.
QPageLayout pageLayoutFor(QSizeF pagePixels);

struct PlaybackFailure {
    enum class Kind {
        Missing, // the page source has no such page
        Begin,   // the device would not start (no file, no printer)
        NewPage, // the device refused the next sheet
        Play,    // the page's metafile is damaged (detail says how)
        End,     // the device did not complete the job
    };
    Kind kind;
    int page = 0; // the page concerned, 0 for Begin and End
    QString detail;
};

using PageSource = std::function<std::optional<QByteArray>(int page)>;

// Plays the pages numbered in `order` (each once, however often it repeats)
// without drawing them: the first that is missing or does not play whole
// (Kind::Missing or Kind::Play), or nothing when all do. A page source that
// throws is a damaged page too; its message is the detail.
std::optional<PlaybackFailure> firstBadPage(const std::vector<int> &order, const PageSource &source);

// Plays the pages numbered in `order` (1-based; repeats allowed, a repeat of
// the page before is not fetched again) onto `device`, which the caller has
// set up otherwise. `sheet` gives the current sheet's rectangle in device
// pixels. Every page is checked with firstBadPage before the device is
// touched, so a damaged page sends nothing, not a blank or half job. A page
// source that throws while the pages are played ends the job; the exception
// passes on.
std::optional<PlaybackFailure> playPages(QPagedPaintDevice &device, const std::vector<int> &order,
                                         const PageSource &source, const std::function<QRectF()> &sheet);

} // namespace accrua::engine::emf
