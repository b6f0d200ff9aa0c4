#include "formats/gltf/sequences.hpp"

#include <algorithm>
#include <set>

namespace vexl::cli {
namespace {

std::string frameName(const VEXLMODEL_T& model, uint32_t frame) {
    return std::string(vexalkit::frameNameAt(model, frame));
}

// The name without its trailing digits: "run12" gives "run".
std::string stem(const std::string& name) {
    size_t end = name.size();
    while (end > 0 && name[end - 1] >= '0' && name[end - 1] <= '9') {
        --end;
    }
    return name.substr(0, end);
}

std::string sequenceName(const std::string& frame, uint32_t index) {
    std::string name = stem(frame);
    if (name.empty()) {
        name = frame.empty() ? "frame" + std::to_string(index) : frame;
    }
    return name;
}

void makeNamesUnique(std::vector<Sequence>& sequences) {
    std::set<std::string> taken;
    for (Sequence& sequence : sequences) {
        std::string name = sequence.name;
        for (int suffix = 2; taken.count(name) != 0; ++suffix) {
            name = sequence.name + "_" + std::to_string(suffix);
        }
        sequence.name = name;
        taken.insert(name);
    }
}

} // namespace

std::vector<Sequence> frameSequences(const VEXLMODEL_T& model) {
    std::vector<Sequence> sequences;
    const uint32_t frames = vexalkit::frameSlots(model);
    uint32_t frame = 0;
    while (frame < frames) {
        Sequence sequence;
        sequence.first = frame;
        sequence.name = sequenceName(frameName(model, frame), frame);
        if (model.frameGroupSizes[frame] != 0) {
            sequence.group = true;
            sequence.count = std::min<uint32_t>(model.frameGroupSizes[frame], frames - frame);
        } else {
            const std::string runStem = stem(frameName(model, frame));
            uint32_t next = frame + 1;
            while (!runStem.empty() && next < frames && model.frameGroupSizes[next] == 0 &&
                   stem(frameName(model, next)) == runStem) {
                ++next;
            }
            sequence.count = next - frame;
        }
        frame += sequence.count;
        sequences.push_back(sequence);
    }
    makeNamesUnique(sequences);
    return sequences;
}

} // namespace vexl::cli
