// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/autosave.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>

#include "app/run_paths.h"
#include "app/shell_state.h"
#include "engine/layer.h"
#include "engine/paint_cell.h"

namespace sc {
namespace {

constexpr std::uint32_t kLongestInterval = 24 * 60 * 60;
constexpr int kWriterNiceness = 10;

// A 64-bit hash of the copy with its size and path, to tell whether it
// differs from what was last written.
std::uint64_t copyHash(const std::byte* bytes, std::size_t count, std::uint32_t width, std::uint32_t height,
                       const std::string& path) {
    constexpr std::uint64_t kPrime = 0x100000001b3ull;
    std::uint64_t h = 0xcbf29ce484222325ull ^ (static_cast<std::uint64_t>(width) << 32 | height);
    auto mix = [&h](std::uint64_t word) {
        h = (h ^ word) * kPrime;
        h ^= h >> 29;
    };
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i, 8);
        mix(word);
    }
    for (; i < count; ++i) mix(static_cast<std::uint8_t>(bytes[i]));
    mix(0xffu);
    for (const char c : path) mix(static_cast<unsigned char>(c));
    return h;
}

bool writerRunning(const Autosave& a) { return a.writer.joinable(); }

enum class WriteResult { None, Failed, Written };

// Collects a finished write (or, with `wait`, one under way).
WriteResult collectWriter(Autosave& a, bool wait = false) {
    if (!writerRunning(a) || (!wait && !a.writerDone.load())) return WriteResult::None;
    a.writer.join();
    if (a.layered) {
        // A copy of layers may be as large as the painting itself: it is
        // not kept between autosaves.
        a.copy.reset();
        a.capacity = 0;
    }
    if (a.writeFailed.load()) return WriteResult::Failed;
    a.writtenHash = a.pendingHash;
    return WriteResult::Written;
}

// Takes this run's name again when it could not be had at the start (the
// folder was missing or read-only then).
bool haveName(Autosave& a) { return a.lock.held() || claimAutosaveName(a.files.folder, a.files, a.lock); }

// The planes of the painting as it now is: the document's cells, or each
// layer's cells and coverage. Returns the copy's size in bytes.
std::size_t planesOf(const Painting& p, std::vector<Autosave::Plane>& planes) {
    planes.clear();
    std::size_t offset = 0;
    auto add = [&](const void* source, std::size_t cellBytes) {
        const std::size_t bytes = p.document.cellCount() * cellBytes;
        planes.push_back({static_cast<const std::byte*>(source), offset, bytes, cellBytes});
        offset += bytes;
    };
    if (!p.layers.layered()) {
        add(p.document.cells(), sizeof(PaintCell));
        return offset;
    }
    for (const Layer& layer : p.layers.layers) {
        add(layer.cells.get(), sizeof(PaintCell));
        if (!layer.opaque()) add(layer.coverage.get(), sizeof(float));
    }
    return offset;
}

RawLayerEntry entryOf(const Layer& layer) { return {layer.name, layer.visible, layer.opacity, layer.opaque()}; }

// Whether the copy under way is still of the painting's present planes and
// layers (a layer command, Undo or a new painting changes them).
bool copyStillMatches(const Autosave& a, const Painting& p) {
    const Canvas& document = p.document;
    if (a.width != document.width || a.height != document.height || a.layered != p.layers.layered()) return false;
    if (!a.layered) return a.planes.front().source == reinterpret_cast<const std::byte*>(document.cells());
    const std::vector<Layer>& layers = p.layers.layers;
    if (a.table.size() != layers.size() || a.activeLayer != p.layers.active) return false;
    std::size_t plane = 0;
    for (std::size_t l = 0; l < layers.size(); ++l) {
        const Layer& layer = layers[l];
        const RawLayerEntry& entry = a.table[l];
        if (entry.opaque != layer.opaque() || entry.visible != layer.visible || entry.opacity != layer.opacity ||
            entry.name != layer.name ||
            a.planes[plane++].source != reinterpret_cast<const std::byte*>(layer.cells.get())) {
            return false;
        }
        if (!layer.opaque() && a.planes[plane++].source != reinterpret_cast<const std::byte*>(layer.coverage.get())) {
            return false;
        }
    }
    return true;
}

// Makes the copy hold the painting's planes; false when memory runs out.
bool prepareCopy(Autosave& a, const Painting& p) {
    const std::size_t bytes = planesOf(p, a.planes);
    if (a.capacity < bytes) {
        a.copy.reset();
        a.capacity = 0;
        a.copy.reset(new (std::nothrow) std::byte[bytes]);
        if (!a.copy) return false;
        a.capacity = bytes;
    }
    a.total = bytes;
    a.width = p.document.width;
    a.height = p.document.height;
    a.layered = p.layers.layered();
    a.table.clear();
    a.head.clear();
    a.activeLayer = 0;
    if (a.layered) {
        for (const Layer& layer : p.layers.layers) a.table.push_back(entryOf(layer));
        a.activeLayer = p.layers.active;
        a.head = rawLayersHead(a.width, a.height, a.table, a.activeLayer);
    }
    a.copied = 0;
    return true;
}

// Copies the next `bytes` of the copy from their planes.
void copyBand(Autosave& a, std::size_t bytes) {
    for (const Autosave::Plane& plane : a.planes) {
        if (bytes == 0) break;
        const std::size_t end = plane.offset + plane.bytes;
        if (a.copied >= end) continue;
        const std::size_t n = std::min(bytes, end - a.copied);
        std::memcpy(a.copy.get() + a.copied, plane.source + (a.copied - plane.offset), n);
        a.copied += n;
        bytes -= n;
    }
}

void startWriter(Autosave& a) {
    a.writerDone = false;
    a.writeFailed = false;
    a.onDisk = true;  // from here a file may exist, whatever the write's end
    // The writer reads the copy and its description; the main loop leaves
    // them alone until it has collected the writer.
    a.writer = std::thread([&a, files = a.files, path = a.copyPath, written = a.writtenHash] {
        // Below the painting in the queue for the processor.
        (void)::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kWriterNiceness);
        // The layers' table counts as much as their cells.
        std::string described = path;
        if (a.layered) described.append(reinterpret_cast<const char*>(a.head.data()), a.head.size());
        const std::uint64_t hash = copyHash(a.copy.get(), a.total, a.width, a.height, described);
        a.pendingHash = hash;
        if (hash != written && a.layered) {
            a.writeFailed = !writeLayeredAutosave(files, a.head, a.table, a.width, a.height, a.copy.get(), path);
        } else if (hash != written) {
            const auto* cells = reinterpret_cast<const PaintCell*>(a.copy.get());
            a.writeFailed = !writeAutosave(files, cells, a.width, a.height, path);
        }
        a.writerDone = true;
        a.writerDone.notify_all();
    });
}

// The notice is told once for a run of failures, and goes with the next
// autosave written.
AutosaveEvent failure(Autosave& a) {
    if (a.failureShown) return AutosaveEvent::None;
    a.failureShown = true;
    return AutosaveEvent::Failed;
}

AutosaveEvent eventOf(Autosave& a, WriteResult result) {
    if (result == WriteResult::Failed) return failure(a);
    if (result == WriteResult::Written && a.failureShown) {
        a.failureShown = false;
        return AutosaveEvent::Recovered;
    }
    return AutosaveEvent::None;
}

// The files of a painting that another one replaced go first.
void removeReplaced(Autosave& a) {
    if (!a.replaced || writerRunning(a)) return;
    if (a.onDisk && removeAutosave(a.files)) {
        a.onDisk = false;
        a.writtenHash = 0;
    }
    a.replaced = false;
}

// Copies again the cells of the part already copied that changed since the
// last pass, in every plane (a step may change any layer). Planes and rows
// run in memory order, so a rectangle's rows past the copied part are left
// to their band.
void copyChangedCells(Autosave& a, const CellChanges& changes) {
    const std::int64_t width = a.width, height = a.height;
    for (const Autosave::Plane& plane : a.planes) {
        if (plane.offset >= a.copied) break;
        for (const ChangedArea& r : changes.rects()) {
            const std::int64_t x0 = std::max<std::int64_t>(r.x0, 0), x1 = std::min(r.x1, width);
            const std::int64_t y0 = std::max<std::int64_t>(r.y0, 0), y1 = std::min(r.y1, height);
            for (std::int64_t y = y0; y < y1 && x0 < x1; ++y) {
                const auto row = static_cast<std::size_t>(y * width);
                const std::size_t begin = plane.offset + (row + static_cast<std::size_t>(x0)) * plane.cellBytes;
                if (begin >= a.copied) break;
                const std::size_t end =
                    std::min(plane.offset + (row + static_cast<std::size_t>(x1)) * plane.cellBytes, a.copied);
                std::memcpy(a.copy.get() + begin, plane.source + (begin - plane.offset), end - begin);
            }
        }
    }
}

}  // namespace

std::uint32_t autosaveInterval(const Options& options) {
    if (const char* text = std::getenv(kAutosaveSecondsVariable)) {
        char* end = nullptr;
        errno = 0;
        const unsigned long seconds = std::strtoul(text, &end, 10);
        if (*text >= '0' && *text <= '9' && *end == '\0' && errno == 0 && seconds >= 1 && seconds <= kLongestInterval) {
            return static_cast<std::uint32_t>(seconds);
        }
    }
    return options.autosaveSeconds;
}

Autosave::~Autosave() {
    if (writer.joinable()) writer.join();
}

void beginAutosaves(Autosave& a, const RunPaths& paths, std::uint32_t intervalSeconds, long double now) {
    a.started = true;
    a.files.folder = paths.userFile(kAutosaveFolder);
    claimAutosaveName(a.files.folder, a.files, a.lock);
    a.intervalSeconds = intervalSeconds;
    a.dueAt = now + a.intervalSeconds;
}

AutosaveEvent autosavePass(Autosave& a, ShellState& s, long double now) {
    if (!a.started) return AutosaveEvent::None;
    if (s.painting.fileName != a.documentPath) noteDocumentPath(a, s.painting.fileName);
    const WriteResult written = collectWriter(a);
    const Canvas& document = s.painting.document;
    removeReplaced(a);
    if (s.painting.saved || !document.hasCells()) {
        // Nothing unsaved: no autosave, and the next one an interval after
        // the next change.
        a.copying = false;
        s.painting.documentChanges.clear();
        a.dueAt = now + a.intervalSeconds;
        if (a.onDisk && !writerRunning(a) && removeAutosave(a.files)) {
            a.onDisk = false;
            a.writtenHash = 0;
        }
        return eventOf(a, written);
    }
    if (written == WriteResult::Failed) return failure(a);
    const AutosaveEvent event = eventOf(a, written);
    if (!a.copying) {
        s.painting.documentChanges.clear();
        if (writerRunning(a) || a.replaced || now < a.dueAt) return event;
        a.dueAt = now + a.intervalSeconds;
        if (!haveName(a) || !prepareCopy(a, s.painting)) return failure(a);
        a.copying = true;
        a.copyPath = a.documentPath;
    }
    // A whole-canvas change, a layer command or another painting: the copy
    // starts again.
    if (!copyStillMatches(a, s.painting) || !document.rendered || s.painting.documentChanges.everywhere()) {
        s.painting.documentChanges.clear();
        if (!prepareCopy(a, s.painting)) {
            a.copying = false;
            return failure(a);
        }
        return event;
    }
    // Cells changed in place since the last pass.
    copyChangedCells(a, s.painting.documentChanges);
    s.painting.documentChanges.clear();
    copyBand(a, std::min(kAutosaveBandBytes, a.total - a.copied));
    if (a.copied == a.total) {
        a.copying = false;
        startWriter(a);
    }
    return event;
}

AutosaveEvent autosaveNow(Autosave& a, ShellState& s, long double now) {
    if (!a.started) return AutosaveEvent::None;
    if (s.painting.fileName != a.documentPath) noteDocumentPath(a, s.painting.fileName);
    // A write under way holds the copy: it ends first.
    const AutosaveEvent event = eventOf(a, collectWriter(a, true));
    removeReplaced(a);
    const Canvas& document = s.painting.document;
    if (s.painting.saved || !document.hasCells()) return event;
    a.dueAt = now + a.intervalSeconds;
    if (!haveName(a) || !prepareCopy(a, s.painting)) {
        a.copying = false;
        return failure(a);
    }
    copyBand(a, a.total);
    s.painting.documentChanges.clear();
    a.copying = false;
    a.copyPath = a.documentPath;
    startWriter(a);
    return event;
}

bool autosaveBusy(const Autosave& a) { return a.copying || writerRunning(a); }

long double autosaveWakeTime(const Autosave& a, const ShellState& s) {
    if (!a.started || s.painting.saved || !s.painting.document.hasCells() || autosaveBusy(a)) return 0.0L;
    return a.dueAt;
}

void noteDocumentPath(Autosave& a, const std::string& path) {
    if (path == a.documentPath) return;
    a.documentPath = path;
    a.copying = false;
    a.replaced = true;
}

void endAutosaves(Autosave& a) {
    if (!a.started) return;
    a.copying = false;
    if (a.writer.joinable()) a.writer.join();
    if (a.lock.held()) removeAutosaveName(a.files);
    a.lock.release();
    a.onDisk = false;
    a.started = false;
}

}  // namespace sc
