#include "tools/grain_sampling.h"

#include "tools/tool_state.h"

namespace sc {
namespace {
const Surface& emptyImage() {
    static const Surface empty;
    return empty;
}
}  // namespace

const Surface& styleImage(std::uint8_t index) {
    const auto& images = toolState().styleImages;
    return index < images.size() ? images[index] : emptyImage();
}

const Surface& textureImage(std::uint8_t index) {
    const auto& images = toolState().textureImages;
    return index < images.size() ? images[index] : emptyImage();
}

}  // namespace sc
