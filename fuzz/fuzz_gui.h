// Fonts and painting need a (display-less) GUI application, made once.
#pragma once

#include <QGuiApplication>

inline void fuzzEnsureGuiApp(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication *app = new QGuiApplication(*argc, *argv);
    (void)app;
}
