// SPDX-License-Identifier: GPL-3.0-or-later
// The widgets that stand for the program's windows: pictures painted 1:1
// from the window's own pixels, the frame, and the document area; and the
// routing of pointer events to the window under the pointer.
#include <QApplication>
#include <QCloseEvent>
#include <QHelpEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabletEvent>
#include <QToolTip>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>
#include <vector>

#include "platform/platform_qt.h"

namespace sc::platform::qt {
namespace {

WindowId g_hover = kNoWindow;  // the window the pointer was last over

void post(MessageKind kind, WindowId window, int x = 0, int y = 0, float pressure = 1.0f, float tiltX = 0.0f,
          float tiltY = 0.0f, bool flag = false) {
    Message m;
    m.kind = kind;
    m.flag = flag;
    m.window = window;
    m.x = x;
    m.y = y;
    m.pressure = pressure;
    m.tiltX = tiltX;
    m.tiltY = tiltY;
    postMessage(m);
}

// Sends the leave notice the window asked for, once.
void leave(WindowId id) {
    detail::WindowRecord* w = detail::findRecord(id);
    if (!w || !w->leaveTracking) return;
    w->leaveTracking = false;
    post(MessageKind::MouseLeave, id);
}

MessageKind buttonMessage(Qt::MouseButton button, bool down) {
    if (button == Qt::LeftButton) return down ? MessageKind::LeftDown : MessageKind::LeftUp;
    if (button == Qt::RightButton) return down ? MessageKind::RightDown : MessageKind::RightUp;
    return MessageKind::None;
}

// The scrolled area of the frame; its content holds the canvas window.
class DocumentArea : public QScrollArea {
public:
    DocumentArea(WindowId id, QWidget* parent) : QScrollArea(parent), id_(id) {
        setFrameShape(QFrame::StyledPanel);
        setBackgroundRole(QPalette::Dark);
        auto* content = new QWidget;
        content->setAutoFillBackground(true);
        content->setBackgroundRole(QPalette::Dark);
        setWidget(content);
        setWidgetResizable(false);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }

protected:
    void wheelEvent(QWheelEvent* e) override {
        const QPoint local = widget()->mapFromGlobal(e->globalPosition().toPoint());
        if (!takeZoomWheel(id_, e, local)) QScrollArea::wheelEvent(e);
    }

    void resizeEvent(QResizeEvent* e) override {
        QScrollArea::resizeEvent(e);
        detail::setClientSize(id_, viewport()->width(), viewport()->height());
        fitDocumentArea(id_);
    }

private:
    WindowId id_;
};

}  // namespace

void routePointer(MessageKind kind, const QPoint& globalPos, float pressure, float tiltX, float tiltY,
                  bool doubleClick) {
    QWidget* under = QApplication::widgetAt(globalPos);
    WindowId target = under ? windowOfWidget(under) : kNoWindow;
    const detail::WindowRecord* rec = detail::findRecord(target);
    if (!rec || !detail::keepsPicture(rec->kind)) target = kNoWindow;
    if (g_hover != target) {
        leave(g_hover);
        g_hover = target;
    }
    if (target == kNoWindow || kind == MessageKind::None) return;
    const QPoint local = widgetOf(target)->mapFromGlobal(globalPos);
    post(kind, target, local.x(), local.y(), pressure, tiltX, tiltY, doubleClick);
}

void pointerLeftWidget(WindowId id) {
    // While a button is held the pointer's travel is followed by routePointer.
    if (QApplication::mouseButtons() != Qt::NoButton || g_hover != id) return;
    leave(id);
    g_hover = kNoWindow;
}

QWidget* makeDocumentArea(WindowId id, QWidget* frame) { return new DocumentArea(id, frame); }

bool takeZoomWheel(WindowId id, QWheelEvent* e, const QPoint& local) {
    if (!e->modifiers().testFlag(Qt::ControlModifier)) return false;
    e->accept();
    // Fine-grained wheels (touch pads) turn in parts of a notch of 120.
    static int turned = 0;
    turned += e->angleDelta().y();
    const int notches = turned / 120;
    turned %= 120;
    if (notches == 0) return true;
    Message m;
    m.kind = MessageKind::ZoomWheel;
    m.window = id;
    m.x = local.x();
    m.y = local.y();
    m.command = notches;
    postMessage(m);
    return true;
}

void fitDocumentArea(WindowId area) {
    auto* scroll = dynamic_cast<QScrollArea*>(widgetOf(area));
    if (!scroll || !scroll->widget()) return;
    int right = scroll->viewport()->width();
    int bottom = scroll->viewport()->height();
    for (WindowId child : childrenOf(area)) {
        const detail::WindowRecord* w = detail::findRecord(child);
        if (!w || !w->visible) continue;
        // A margin beyond the window, as around it at its usual place.
        right = std::max(right, w->x + w->width + 10);
        bottom = std::max(bottom, w->y + w->height + 10);
    }
    scroll->widget()->resize(right, bottom);
}

PictureWidget::PictureWidget(WindowId id, QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags), id_(id) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void PictureWidget::paintEvent(QPaintEvent* e) {
    const detail::WindowRecord* w = detail::findRecord(id_);
    if (!w) return;
    if (w->showsSurface) {
        QPainter p(this);
        for (const QRect& r : e->region()) drawShownPart(p, r);
        return;
    }
    if (w->pixels.empty()) return;
    const QImage picture(reinterpret_cast<const uchar*>(w->pixels.data()), w->width, w->height, w->width * 4,
                         QImage::Format_RGB32);
    QPainter p(this);
    for (const QRect& r : e->region()) p.drawImage(r.topLeft(), picture, r);
}

void PictureWidget::drawShownPart(QPainter& p, const QRect& r) {
    // The pixels are made piece by piece in one small buffer, whatever the
    // size of the window or of the part to draw.
    constexpr int kMaxWidth = 2048;
    constexpr int kPiecePixels = 1 << 18;
    static std::vector<std::uint32_t> piece(kPiecePixels);
    for (int x = r.left(); x <= r.right(); x += kMaxWidth) {
        const int width = std::min(kMaxWidth, r.right() + 1 - x);
        const int rows = std::max(1, kPiecePixels / width);
        for (int y = r.top(); y <= r.bottom(); y += rows) {
            const int height = std::min(rows, r.bottom() + 1 - y);
            windowPixels(id_, {x, y, x + width, y + height}, piece.data(), static_cast<std::size_t>(width));
            const QImage image(reinterpret_cast<const uchar*>(piece.data()), width, height, width * 4,
                               QImage::Format_RGB32);
            p.drawImage(QPoint(x, y), image);
        }
    }
}

void PictureWidget::mouseMoveEvent(QMouseEvent* e) {
    routePointer(MessageKind::MouseMove, e->globalPosition().toPoint());
}

void PictureWidget::mousePressEvent(QMouseEvent* e) {
    routePointer(buttonMessage(e->button(), true), e->globalPosition().toPoint());
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* e) {
    routePointer(buttonMessage(e->button(), false), e->globalPosition().toPoint());
}

// The second press of a double click is a press like the first, flagged.
void PictureWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    routePointer(buttonMessage(e->button(), true), e->globalPosition().toPoint(), 1.0f, 0.0f, 0.0f, true);
}

// The pen's tip is the left button. Taken here, the event makes no mouse
// event of its own, so every report carries the pen's pressure.
void PictureWidget::tabletEvent(QTabletEvent* e) {
    MessageKind kind = MessageKind::None;
    switch (e->type()) {
        case QEvent::TabletMove: kind = MessageKind::MouseMove; break;
        case QEvent::TabletPress: kind = buttonMessage(e->button(), true); break;
        case QEvent::TabletRelease: kind = buttonMessage(e->button(), false); break;
        default: e->ignore(); return;
    }
    const float pressure = std::clamp(static_cast<float>(e->pressure()), 0.0f, 1.0f);
    routePointer(kind, e->globalPosition().toPoint(), pressure, e->xTilt(), e->yTilt());
    e->accept();
}

void PictureWidget::leaveEvent(QEvent*) { pointerLeftWidget(id_); }

void PictureWidget::wheelEvent(QWheelEvent* e) {
    // Only a window inside the document area zooms; elsewhere, and without
    // Control, the wheel goes on to the scrolled area, which scrolls.
    const detail::WindowRecord* w = detail::findRecord(id_);
    const detail::WindowRecord* parent = w ? detail::findRecord(w->parent) : nullptr;
    if (!parent || parent->kind != WindowKind::DocumentArea || !takeZoomWheel(id_, e, e->position().toPoint())) {
        e->ignore();
    }
}

bool PictureWidget::event(QEvent* e) {
    const detail::WindowRecord* w = detail::findRecord(id_);
    if (e->type() == QEvent::ToolTip && w) {
        auto* help = static_cast<QHelpEvent*>(e);
        for (const detail::Tooltip& t : w->tooltips) {
            const QRect r(t.rect.left, t.rect.top, t.rect.width(), t.rect.height());
            if (r.contains(help->pos())) {
                QToolTip::showText(help->globalPos(), QString::fromStdString(t.text), this, r);
                return true;
            }
        }
        QToolTip::hideText();
        e->ignore();
        return true;
    }
    if (e->type() == QEvent::WindowDeactivate && w && w->kind == WindowKind::Splash) {
        Message m;
        m.kind = MessageKind::Activate;
        m.window = id_;
        m.flag = false;
        postMessage(m);
    }
    if (e->type() == QEvent::Close && w && w->kind == WindowKind::Floating) {
        e->ignore();  // panels come and go through the Window menu
        if (w->closeBox) {
            // A window with a close button decides for itself.
            Message m;
            m.kind = MessageKind::Close;
            m.window = id_;
            postMessage(m);
        }
        return true;
    }
    return QWidget::event(e);
}

FrameWidget::FrameWidget(WindowId id) : id_(id) { setAcceptDrops(true); }

void FrameWidget::closeEvent(QCloseEvent* e) {
    // The program decides (it may ask about unsaved changes) and destroys us.
    e->ignore();
    Message m;
    m.kind = MessageKind::Close;
    m.window = id_;
    postMessage(m);
}

void FrameWidget::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange) return;
    Message m;
    m.kind = MessageKind::StateChanged;
    m.window = id_;
    m.state = isMinimized() ? WindowState::Minimised : (isMaximized() ? WindowState::Maximised : WindowState::Restored);
    postMessage(m);
}

void FrameWidget::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void FrameWidget::dropEvent(QDropEvent* e) {
    std::vector<std::string> paths;
    for (const QUrl& url : e->mimeData()->urls()) {
        if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
    }
    if (paths.empty()) return;
    e->acceptProposedAction();
    detail::queueDrop(id_, paths);
}

void FrameWidget::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    detail::setClientSize(id_, width(), height());
}

}  // namespace sc::platform::qt
