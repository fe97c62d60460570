// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Autosave: while the painting has unsaved changes, a copy of it goes to the
// user's data folder ("autosave/", see formats/autosave_files.h) every
// interval, so that a killed program, a power cut or the end of a desktop
// session costs at most one interval of work.
//
// Painting never waits for the disk. The main loop copies the cells a band
// at a time, one band a pass, and a thread of its own writes the copy. Every
// copy written is the painting of one moment: a whole-canvas change, a new
// painting size or a layer command starts the copy again, and the cells a
// stroke or a history step changed in the part already copied
// (Painting::documentChanges) are copied again at the next pass, before the
// next band. A copy equal to what was last written is not written again.
//
// A painting of one plain layer is copied as the document's cells and
// written as a version 1 painting file. A painting of layers is copied layer
// by layer (each layer's cells, then its coverage unless it covers every
// cell, bottom first, with their names and flags) and written as a raw
// layers file, so recovery brings every layer back bit for bit. Such a copy
// may be as large as the layers themselves; it is let go once written, and
// memory that cannot be had for it is told as a failed autosave.
//
// A modal dialog stops the main loop, and the painting cannot change while
// it is up: an unsaved painting is autosaved at once when one opens
// (autosaveNow), so a question or a file chooser left open is never the
// unprotected moment.
//
// A painting with no unsaved changes (saved, new, just opened) has no
// autosave: its files are removed, as they are at a clean exit.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "formats/autosave_files.h"
#include "formats/options_file.h"
#include "formats/raw_layers_file.h"

namespace sc {

struct RunPaths;
struct ShellState;

// Overrides the options file's interval (whole seconds, 1 to 86400), for tests.
inline constexpr const char* kAutosaveSecondsVariable = "SMUDGECRAFT_AUTOSAVE_SECONDS";
// The status line's notice when an autosave could not be written.
inline constexpr const char* kAutosaveFailedText = "Autosave failed: the data folder cannot be written.";
// Bytes of cells copied in one main-loop pass.
inline constexpr std::size_t kAutosaveBandBytes = std::size_t{1} << 20;

// The interval in seconds: the environment variable when it holds a whole
// number from 1 to 86400, else the options' `autosaveSeconds`.
std::uint32_t autosaveInterval(const Options& options);

struct Autosave {
    Autosave() = default;
    Autosave(const Autosave&) = delete;
    Autosave& operator=(const Autosave&) = delete;
    ~Autosave();

    bool started = false;
    AutosaveFiles files;
    AutosaveLock lock;
    long double intervalSeconds = 300.0L;
    long double dueAt = 0.0L;   // when the next copy may begin
    std::string documentPath;   // the painting's file; empty when never saved
    bool onDisk = false;        // this run's files may exist
    bool replaced = false;      // they belong to a painting since replaced
    bool failureShown = false;  // the status line's notice stands for the last result

    // Where the copy's bytes come from: one plane of the document's cells,
    // or each layer's cells and coverage, laid one after the other.
    struct Plane {
        const std::byte* source = nullptr;
        std::size_t offset = 0;     // in the copy
        std::size_t bytes = 0;      // cells x cellBytes
        std::size_t cellBytes = 0;  // a cell's share of the plane
    };

    // The copy the writer works from.
    std::unique_ptr<std::byte[]> copy;
    std::size_t capacity = 0;
    std::size_t total = 0;  // bytes of the copy
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<Plane> planes;
    bool layered = false;              // a copy of layers, written as a raw layers file
    std::vector<RawLayerEntry> table;  // the layers' names and flags when the copy began
    std::size_t activeLayer = 0;
    std::vector<std::byte> head;  // the raw layers file's header and table
    std::size_t copied = 0;       // bytes so far
    bool copying = false;
    std::string copyPath;  // documentPath when the copy began

    std::thread writer;
    std::atomic<bool> writerDone{false};
    std::atomic<bool> writeFailed{false};
    std::uint64_t writtenHash = 0;  // of what is on disk, with its size and path
    std::uint64_t pendingHash = 0;
};

// Claims this run's name in the folder and sets the interval; the first
// autosave is due one interval from `now`.
void beginAutosaves(Autosave& a, const RunPaths& paths, std::uint32_t intervalSeconds, long double now);

// Failed: an autosave could not be written, after none or after one that
// was (the status line's notice is due); Recovered: one was written again
// after such a failure (the notice goes).
enum class AutosaveEvent { None, Failed, Recovered };

// One main-loop pass's share: follows the painting's file
// (Painting::fileName), removes the files of a painting without
// unsaved changes, copies one band when due (the changed cells of the part
// already copied first), hands a full copy to the writer and collects the
// writer's result.
AutosaveEvent autosavePass(Autosave& a, ShellState& s, long double now);
// A modal dialog is about to open: an unsaved painting is copied whole at
// once and handed to the writer (after the write under way, if any, ends).
// The next interval starts now.
AutosaveEvent autosaveNow(Autosave& a, ShellState& s, long double now);
// Work is under way (a copy or a write): the loop must not wait for the desktop.
bool autosaveBusy(const Autosave& a);
// When the loop must wake at the latest; 0 when nothing is due.
long double autosaveWakeTime(const Autosave& a, const ShellState& s);

// The file the painting now belongs to (autosavePass calls it when
// Painting::fileName changed). An autosave of another file's painting
// is removed, so that a painting and the path written with it always belong
// together.
void noteDocumentPath(Autosave& a, const std::string& path);

// A clean exit: waits for a write under way and removes this run's files.
void endAutosaves(Autosave& a);

}  // namespace sc
