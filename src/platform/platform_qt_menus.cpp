// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's menu bar and status bar, built from the shared records.
#include <QAction>
#include <QHash>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

#include "platform/platform_qt.h"

namespace sc::platform::qt {
namespace {

const char* kCommandProperty = "scCommand";

void post(WindowId frame, int command) {
    Message m;
    m.kind = MessageKind::Command;
    m.window = frame;
    m.command = command;
    postMessage(m);
}

void addItems(QMenu* menu, const std::vector<MenuItem>& items, WindowId frame) {
    for (const MenuItem& item : items) {
        if (item.separator) {
            menu->addSeparator();
        } else if (!item.items.empty()) {
            addItems(menu->addMenu(QString::fromStdString(item.text)), item.items, frame);
        } else {
            // Text after a tab is the menu's shortcut column; only shown, as
            // the keys come to the program as key messages.
            QString text = QString::fromStdString(item.text);
            if (!item.shortcut.empty()) text += "\t" + QString::fromStdString(item.shortcut);
            QAction* a = menu->addAction(text);
            a->setProperty(kCommandProperty, item.command);
            const int command = item.command;
            QObject::connect(a, &QAction::triggered, a, [frame, command] { post(frame, command); });
        }
    }
}

QList<QLabel*> statusLabels(QStatusBar* bar) {
    return bar->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
}

}  // namespace

void buildMenus(FrameWidget* frame, const detail::WindowRecord& w) {
    QMenuBar* bar = frame->menuBar();
    bar->clear();
    for (const MenuItem& top : w.menus) {
        QMenu* menu = bar->addMenu(QString::fromStdString(top.text));
        addItems(menu, top.items, w.id);
    }
    applyChecks(frame, w);
}

void applyChecks(FrameWidget* frame, const detail::WindowRecord& w) {
    for (QAction* a : frame->menuBar()->findChildren<QAction*>()) {
        const QVariant v = a->property(kCommandProperty);
        if (!v.isValid()) continue;
        const int command = v.toInt();
        if (auto c = w.checks.find(command); c != w.checks.end()) {
            a->setCheckable(true);
            a->setChecked(c->second);
        }
        if (auto e = w.itemEnabled.find(command); e != w.itemEnabled.end()) a->setEnabled(e->second);
    }
}

void applyStatus(FrameWidget* frame, const detail::WindowRecord& w) {
    if (!w.hasStatusBar) return;
    QStatusBar* bar = frame->statusBar();
    QList<QLabel*> labels = statusLabels(bar);
    if (labels.size() != static_cast<int>(w.statusEdges.size())) {
        for (QLabel* l : labels) delete l;
        labels.clear();
        int left = 0;
        for (int edge : w.statusEdges) {
            auto* label = new QLabel(bar);
            label->setFixedWidth(std::max(edge - left, 1));
            left = edge;
            bar->addWidget(label);
            labels.push_back(label);
        }
    }
    for (int i = 0; i < labels.size() && i < static_cast<int>(w.statusTexts.size()); ++i) {
        labels[i]->setText(QString::fromStdString(w.statusTexts[static_cast<std::size_t>(i)]));
    }
}

}  // namespace sc::platform::qt
