#include "frame/status.hpp"

namespace vexl::status {

std::string_view message(int32_t code) {
    switch (code) {
    case kNoMemoryPointer:
        return "no memory pointer provided";
    case kNoFileHandle:
        return "no file handle available";
    case kNoFileName:
        return "no file name specified";
    case kFileNotFound:
        return "file no found";
    case kFileEmpty:
        return "file is empty";
    case kIoError:
        return "general i/o error";
    case kTypeUnsupported:
        return "file type unsupported";
    case kNotPak:
        return "file is not a Vexal PAK";
    case kPakCorrupted:
        return "Vexal PAK corrupted";
    case kNotModel:
        return "file is not a Vexal MDL";
    case kModelVersion:
        return "model version unsupported";
    case kModelNoSkin:
        return "no skin found";
    case kModelSkinWidth:
    case kModelSkinHeight:
        return "skin size invalid";
    case kModelNoVertex:
        return "no vertex found";
    case kModelNoTriangle:
        return "no face found";
    case kModelNoFrame:
        return "no frame found";
    case kNotPalette:
        return "file is not a Vexal PALETTE";
    case kNotColorMap:
        return "file is not a Vexal COLORMAP";
    case kNotPicture:
        return "file is not a Vexal PICTURE";
    case kColorMapBeforePalette:
        return "tried to load the colormap before the palette";
    case kColorMapLoaded:
        return "colormap already loaded for this palette";
    case kScopeTooHigh:
        return "scope too high (higher than 2)";
    case kScopeTooLow:
        return "scope too low (lower than 0)";
    case kRootStatement:
        return "statements found on the root scope";
    case kCorruptEntity:
        return "corrupted entity definition";
    default:
        return {};
    }
}

} // namespace vexl::status
