// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Internal to the Qt implementation of the seam: the widgets that stand for
// the program's windows and how events become Messages.
#include <QMainWindow>
#include <QPointer>
#include <QWidget>

#include "platform/platform_shared.h"

class QPainter;
class QScrollArea;
class QWheelEvent;
class QStatusBar;

namespace sc::platform::qt {

// The widget of a window (for a document area: the scroll area).
QWidget* widgetOf(WindowId id);
// The program's window a widget belongs to, looking through its parents;
// kNoWindow for none.
WindowId windowOfWidget(const QWidget* widget);
// Where a window's children live (the document area's scrolled content).
QWidget* childHostOf(WindowId id);
void registerWidget(WindowId id, QWidget* widget);
void forgetWidget(WindowId id);
// The document area's content grows to hold every child window.
void fitDocumentArea(WindowId area);

// Pointer events, delivered as the desktop would without pointer capture:
// to the window under the pointer, with a leave notice for the window the
// pointer left. A pen tablet adds its pressure and tilt; a mouse reports
// pressure 1 and no tilt. `doubleClick` marks the second press of a double
// click (the message's flag).
void routePointer(MessageKind kind, const QPoint& globalPos, float pressure = 1.0f, float tiltX = 0.0f,
                  float tiltY = 0.0f, bool doubleClick = false);
// Qt's leave notice for a widget (pointer gone to another program's window
// or to a part of the frame that is not one of ours).
void pointerLeftWidget(WindowId id);
// A wheel event with Control held becomes ZoomWheel for the window at
// client point `local`, once a whole notch has turned; true when it was
// taken (the wheel alone is left to scrolling).
bool takeZoomWheel(WindowId id, QWheelEvent* e, const QPoint& local);

// The window that the program's pictures show (child, floating, splash).
class PictureWidget : public QWidget {
public:
    PictureWidget(WindowId id, QWidget* parent, Qt::WindowFlags flags);
    WindowId id() const { return id_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void tabletEvent(QTabletEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    bool event(QEvent* e) override;

private:
    // A window that shows a surface: the part made from it and drawn 1:1.
    void drawShownPart(QPainter& p, const QRect& r);

    WindowId id_;
};

// The frame: menu bar, document area, status bar; closing and drops become
// messages.
class FrameWidget : public QMainWindow {
public:
    explicit FrameWidget(WindowId id);
    WindowId id() const { return id_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    WindowId id_;
};

void buildMenus(FrameWidget* frame, const detail::WindowRecord& w);
void applyChecks(FrameWidget* frame, const detail::WindowRecord& w);
void applyStatus(FrameWidget* frame, const detail::WindowRecord& w);

// Installs the application-wide key watch.
void installEventWatch();

// Where the single-instance socket of this name lives (its lock file is the
// same path with ".lock"): inside the user's private runtime directory. Empty
// when there is no such directory.
QString instanceSocketPath(const std::string& name);
// How many connections to the single-instance socket have been dealt with
// and let go (a notice counted, or anything else dropped), for tests that
// wait until every connection they made is done.
int instanceConnectionsEnded();

}  // namespace sc::platform::qt
