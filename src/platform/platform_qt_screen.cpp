// SPDX-License-Identifier: GPL-3.0-or-later
// A picture of the program's windows as they lie on the screen, for the user
// guide: each shown top-level window drawn where it stands, in the order the
// windows were made (the frame first, its panels above it).
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <fstream>

#include "platform/desktop.h"

namespace sc::platform {

bool saveScreenPicture(const std::string& path) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return false;
    QImage picture(screen->geometry().size(), QImage::Format_RGB32);
    picture.fill(QColor(58, 62, 68));
    std::string listing;
    {
        QPainter painter(&picture);
        const QWidgetList widgets = QApplication::topLevelWidgets();
        for (QWindow* window : QGuiApplication::topLevelWindows()) {
            if (!window->isVisible()) continue;
            for (QWidget* widget : widgets) {
                if (widget->windowHandle() != window || !widget->isVisible()) continue;
                const QRect at = widget->geometry();
                painter.drawPixmap(at.topLeft(), widget->grab());
                listing += std::to_string(at.x()) + ' ' + std::to_string(at.y()) + ' ' + std::to_string(at.width()) +
                           ' ' + std::to_string(at.height()) + ' ' + widget->windowTitle().toStdString() + '\n';
            }
        }
    }
    if (!picture.save(QString::fromStdString(path), "PNG")) return false;
    std::ofstream out(path + ".txt", std::ios::binary | std::ios::trunc);
    out << listing;
    return static_cast<bool>(out.flush());
}

}  // namespace sc::platform
