// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in for the window program in the real-window tests while `orbitsim` is not part of
// the build: the same start-up order around the single-instance rule, with an empty window.
#include "ui/platform/SingleInstance.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString title = QStringLiteral("Satellite orbit simulation");
    if (ui::ActivateRunningInstance(title))
        return 0;
    QWidget window;
    window.setWindowTitle(title);
    ui::ServeLaterInstances(&window, title);
    window.showMaximized();
    return app.exec();
}
