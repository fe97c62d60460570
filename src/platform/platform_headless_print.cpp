// SPDX-License-Identifier: GPL-3.0-or-later
// The headless edit fields and printer: field texts kept per window, dialog
// answers from queues the test fills, and the printed page kept as a picture
// of the printable size.
#include <algorithm>

#include "platform/platform_headless_state.h"
#include "platform/platform_shared.h"

namespace sc::platform {
namespace {

void notifyChange(WindowId window, int id) {
    Message m;
    m.kind = MessageKind::EditChanged;
    m.window = window;
    m.command = id;
    postMessage(m);
}

}  // namespace

bool createEditField(WindowId window, int id, int, int, int, int) {
    headless::HeadlessState& s = headless::state();
    if (s.furniture.failEditFields || !windowExists(window)) return false;
    s.furniture.editFields[{window, id}] = std::string();
    return true;
}

void setEditText(WindowId window, int id, const std::string& text) {
    headless::HeadlessState& s = headless::state();
    const auto it = s.furniture.editFields.find({window, id});
    if (it == s.furniture.editFields.end() || !windowExists(window)) return;
    it->second = text;
    notifyChange(window, id);
}

std::string editText(WindowId window, int id) {
    headless::HeadlessState& s = headless::state();
    const auto it = s.furniture.editFields.find({window, id});
    if (it == s.furniture.editFields.end() || !windowExists(window)) return {};
    return it->second;
}

void pageSetupDialog() {
    detail::beforeModal();
    headless::HeadlessState& s = headless::state();
    ++s.printing.pageSetupsShown;
    if (s.printing.pageSetupAnswers.empty()) return;
    const std::optional<Point> page = s.printing.pageSetupAnswers.front();
    s.printing.pageSetupAnswers.pop_front();
    if (page) s.printing.printerPage = *page;
}

namespace {

// A fresh white page of the printable size.
bool startPage(headless::HeadlessState& s) {
    s.printing.page.placed = {};
    if (!s.printing.page.picture.create(static_cast<std::uint32_t>(s.printing.printerPage.x),
                                        static_cast<std::uint32_t>(s.printing.printerPage.y), false)) {
        return false;
    }
    s.printing.page.picture.clearWhite();
    s.printing.pageOpen = true;
    return true;
}

}  // namespace

bool beginPrintedPage(const std::string& documentName, int& printableWidth, int& printableHeight, int& pages) {
    detail::beforeModal();
    headless::HeadlessState& s = headless::state();
    ++s.printing.printDialogsShown;
    if (s.printing.printAnswers.empty()) return false;
    const std::optional<int> copies = s.printing.printAnswers.front();
    s.printing.printAnswers.pop_front();
    if (!copies) return false;
    if (s.printing.failPrintStart) {
        s.printing.failPrintStart = false;
        return false;
    }
    s.printing.page.documentName = documentName;
    if (!startPage(s)) return false;
    printableWidth = s.printing.printerPage.x;
    printableHeight = s.printing.printerPage.y;
    // The headless printer, like a file, makes no copies of its own.
    pages = *copies;
    return true;
}

bool nextPrintedPage() {
    headless::HeadlessState& s = headless::state();
    if (!s.printing.pageOpen) return false;
    ++s.printing.pagesPrinted;
    return startPage(s);
}

void printStretched(const Surface& surface, int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh) {
    headless::HeadlessState& s = headless::state();
    if (!s.printing.pageOpen) return;
    s.printing.page.placed = {dx, dy, dx + dw, dy + dh};
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    Surface& page = s.printing.page.picture;
    const int x0 = std::max(dx, 0);
    const int y0 = std::max(dy, 0);
    const int x1 = std::min<long long>(static_cast<long long>(dx) + dw, page.width());
    const int y1 = std::min<long long>(static_cast<long long>(dy) + dh, page.height());
    // Each page pixel takes the source pixel it falls on.
    for (int y = y0; y < y1; ++y) {
        const long long srcY = sy + static_cast<long long>(y - dy) * sh / dh;
        for (int x = x0; x < x1; ++x) {
            const long long srcX = sx + static_cast<long long>(x - dx) * sw / dw;
            const std::uint32_t c = surface.getPixel(srcX, srcY);
            page.setPixel(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), redOf(c), greenOf(c),
                          blueOf(c));
        }
    }
}

bool endPrintedPage() {
    headless::HeadlessState& s = headless::state();
    if (!s.printing.pageOpen) return false;
    s.printing.pageOpen = false;
    ++s.printing.pagesPrinted;
    return true;
}

namespace headless {

void typeIntoField(WindowId window, int id, const std::string& text) { setEditText(window, id, text); }
void failEditFieldCreation(bool fail) { state().furniture.failEditFields = fail; }
void plantPageSetupAnswer(std::optional<Point> printablePage) {
    state().printing.pageSetupAnswers.push_back(printablePage);
}
void plantPrintAnswer(bool accept, int copies) {
    state().printing.printAnswers.push_back(accept ? std::optional<int>(copies) : std::nullopt);
}
void setPrinterPage(int width, int height) { state().printing.printerPage = {width, height}; }
void failNextPrintStart() { state().printing.failPrintStart = true; }
int pageSetupsShown() { return state().printing.pageSetupsShown; }
int printDialogsShown() { return state().printing.printDialogsShown; }
int pagesPrinted() { return state().printing.pagesPrinted; }
const PrintedPage& lastPrintedPage() { return state().printing.page; }

}  // namespace headless
}  // namespace sc::platform
