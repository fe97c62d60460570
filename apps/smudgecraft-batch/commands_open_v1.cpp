// `open` for version 1 paintings, until the full painting reader takes over.
#include <cstdint>

#include "app/shell_state.h"
#include "batch_command.h"
#include "engine/canvas.h"
#include "formats/data_file.h"
#include "formats/painting_v1.h"

namespace sc::batch {
namespace {

void runOpen(const Words& w) {
    DataFile file;
    if (!file.open(w[0], DataFile::kRead)) throw OperationFailed("The file you selected could not be opened!\nFile Load failed!");
    std::uint8_t raw[kPaintingHeaderSize];
    if (!file.read(raw, sizeof raw)) throw OperationFailed("File Load failed!");
    const PaintingHeader header = decodePaintingHeader(raw);
    if (header.magic != kPaintingMagic || header.version != 1) throw OperationFailed("File Load failed!");
    Canvas fresh;
    if (!fresh.allocate(header.width, header.height) || !readRawCells(file, fresh)) {
        throw OperationFailed("File Load failed!");
    }
    Canvas& doc = shell().document;
    doc.swapCells(fresh);
    doc.invalidate();
    setLastOpenedVersion(header.version);
}

const BatchCommandRegistration kOpen{{"open", 1, 1, &runOpen}};

}  // namespace
}  // namespace sc::batch
