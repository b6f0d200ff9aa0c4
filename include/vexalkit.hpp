// Vexalkit: readers for the data files of the game Vexal.
//
// This header is the library's whole public interface. Every argument is
// passed by reference; read-only arguments are const references. Every block
// that the library hands to the caller, or that a record owns, comes from the
// C runtime heap (calloc/malloc/realloc) and is released with free(): the
// records by their Kill function, the two bare blocks (the bytes of
// vexlPackFileLoad and the colours of vexlPictureToRGB) by the caller.
//
// Status codes: 0 is success; vexlErrorString turns the others into text.
//
// Records. A record passed to a Load or Read function must start all zero
// (`T record{};`) or be emptied by its Kill function first: the palette,
// picture, sprite and model loaders and vexlPackInfoRead free whatever the
// record's pointers hold before filling it, so stack garbage is freed.
// VEXLWADGETINFO does not: it overwrites a record that holds a directory
// without freeing its entries (kill it first). Kill functions may be called
// any number of times. After a failure a record holds:
// - vexlPackInfoRead, any failure: nothing, it is empty;
// - status 1 (no bytes given): what it held before;
// - a rejected file (the format's own statuses): nothing, it is empty,
//   except vexlColorMapLoad (31, 34 keep palette and colormap as they were)
//   and VEXLWADGETINFO (a directory held before stays);
// - a file-name overload that could not read the file (2 to 6, 10, 11):
//   what it held before; the loader never ran.
//
// Strings rewritten in place. Every file-name overload rewrites both names
// to their cleaned form ("" between parts, "." and ".." applied, parts
// trimmed of blanks) and appends the loader's extension to the file name
// unless it has an accepted one; vexlPackFileLoad and vexlPackInfoRead
// clean the names but force only ".pak" onto the archive name.
// vexlCleanPath and vexlForceType rewrite their arguments by definition.
// Pass strings whose blocks come from malloc and that you may lose: a
// string literal in `data` crashes. The C++ layer (vexalkit_cpp.hpp) copies.
//
// Threads. Entry points keep no state between calls except the pool of 255
// file handles, which is taken with atomics: any number of threads may load,
// read and kill distinct records at once, also from the same archive on
// disk. A call that finds no free handle returns status 2. One record must
// not be used on one thread while another changes or kills it. vexlMapLoad
// prints to the process's standard output, shared by all threads.
#pragma once

#include <cstdint>

// The version of the release this header belongs to. The build checks that
// these agree with the project's version, so they cannot drift apart.
#define VEXALKIT_VERSION_MAJOR 0
#define VEXALKIT_VERSION_MINOR 1
#define VEXALKIT_VERSION_PATCH 0
#define VEXALKIT_VERSION_STRING "0.1.0"

#if defined(_WIN32)
// The DLL's export list lives in a module-definition file.
#define VEXL_API
#else
#define VEXL_API __attribute__((visibility("default")))
#endif

// A string descriptor. `data` holds `length` characters followed by a zero
// byte; the block is `capacity` + 1 bytes long and comes from malloc. Bit 31
// of `length` is reserved and always masked off when the length is read.
struct FBSTRING {
    char* data;
    int32_t length;
    int32_t capacity;
};

// One entry of a PAK directory. `name` is the cleaned path ("\" separators),
// zero-terminated. `valid` is 1 when the entry's bytes lie inside the archive.
struct VEXLPACKENTRY_T {
    char name[64];
    uint32_t filePos;
    uint32_t fileLen;
    uint8_t valid;
};

struct VEXLPACKINFO_T {
    char magic[5];
    uint32_t dirOffset;
    uint32_t dirLength;
    uint32_t entryCount;
    VEXLPACKENTRY_T* entries;
};

// One entry of a WAD2 directory; `name` holds at most 16 characters.
struct VEXLWADENTRY_T {
    char name[18];
    uint32_t filePos;
    uint32_t diskLen;
    uint32_t fileLen;
    uint8_t entryType;
    uint8_t compression;
};

struct VEXLWADINFO_T {
    char magic[5];
    uint32_t dirOffset;
    uint32_t dirLength;
    uint32_t entryCount;
    VEXLWADENTRY_T* entries;
};

// `colors`: 256 values 0xFF000000 | red << 16 | green << 8 | blue.
// `colorMap`: `colorMapRows` rows of 256 palette indices.
struct VEXLPALETTE_T {
    uint8_t colorMapTail;
    uint32_t colorMapRows;
    uint8_t* colorMap;
    uint32_t* colors;
};

// `pixels`: `width` * `height` palette indices, row after row.
struct VEXLPICTURE_T {
    uint32_t width;
    uint32_t height;
    uint8_t* pixels;
};

// Every array has `frameCount` + `groupPictureCount` slots. Each group
// entry counts its pictures in `groupPictureCount` but fills one slot less:
// one empty slot (no pixels, origin 0) per group stays at the end.
struct VEXLSPRITE_T {
    uint8_t type;
    uint8_t syncType;
    uint32_t frameCount;
    uint32_t groupPictureCount;
    int32_t* originX;
    int32_t* originY;
    float* intervals;
    VEXLPICTURE_T* pictures;
};

struct VEXLVECTOR_T {
    float x;
    float y;
    float z;
};

struct VEXLTRIANGLE_T {
    uint16_t vertex[3];
    uint8_t reserved[14];
};

// Skin slots S = skinCount + groupSkinCount; frames F = frameCount +
// extraFrameCount; vertex slots V = vertexCount + seamVertexCount.
// frameNames: F slots of 16 bytes; slot k starts at frameNames + 16 * k.
// vertices: F runs of V positions; frame k's run starts at element k * V.
// skins: each skin group leaves one empty slot at the end, as sprites do.
// frameGroupSizes: F bytes; a group's first frame holds the low 8 bits of
// its frame count (a group of 256 frames shows as 0), every other byte is 0.
struct VEXLMODEL_T {
    uint32_t skinOffset;
    uint32_t triangleOffset;
    uint32_t texCoordOffset;
    uint32_t frameDataOffset;
    uint32_t dataSize;
    int32_t flags;
    int32_t syncType;
    uint16_t skinCount;
    uint16_t groupSkinCount;
    VEXLPICTURE_T* skins;
    uint16_t frameCount;
    uint16_t extraFrameCount;
    char* frameNames;
    uint8_t* frameGroupSizes;
    uint16_t vertexCount;
    uint16_t triangleCount;
    VEXLTRIANGLE_T* triangles;
    uint32_t* seamMap;
    VEXLVECTOR_T* texCoords;
    VEXLVECTOR_T* vertices;
    uint32_t seamVertexCount;
};

// Single-form entry points: C linkage, exported under their bare names.
extern "C" {
VEXL_API void vexlErrorString(const int32_t& code, FBSTRING& message);
VEXL_API void vexlCleanPath(FBSTRING& path, const int32_t& flag);
VEXL_API void vexlForceType(FBSTRING& fileName, FBSTRING& extensions);
VEXL_API int32_t vexlPackInfoRead(FBSTRING& archiveName, VEXLPACKINFO_T& info);
VEXL_API void vexlPackInfoKill(VEXLPACKINFO_T& info);
// Reads a whole file into a new block (free it) from disk (empty archive
// name) or from the PAK. `buffer` is overwritten, not freed: pass null.
VEXL_API int32_t vexlPackFileLoad(FBSTRING& archiveName, FBSTRING& fileName, uint8_t*& buffer,
                                  uint32_t& bufferSize);
VEXL_API int32_t VEXLWADGETINFO(const uint8_t* const& buffer, const uint32_t& bufferSize,
                                VEXLWADINFO_T& info);
VEXL_API void VEXLWADKILL(VEXLWADINFO_T& info);
VEXL_API void vexlPaletteKill(VEXLPALETTE_T& palette);
VEXL_API void vexlPictureKill(VEXLPICTURE_T& picture);
// A new block of width * height colours (free it), or null for an empty
// picture, a palette without colours or a failed allocation. A negative
// `row` uses the palette directly; otherwise the colormap row `row`
// (clamped to the last) and `row` is REWRITTEN to the row used times 256:
// pass a copy when you reuse the variable.
VEXL_API uint32_t* vexlPictureToRGB(const VEXLPICTURE_T& picture, const VEXLPALETTE_T& palette,
                                    int32_t& row);
VEXL_API void vexlSpriteKill(VEXLSPRITE_T& sprite);
VEXL_API void vexlModelKill(VEXLMODEL_T& model);
VEXL_API void vexlModelScale(VEXLMODEL_T& model, const float& factor);
VEXL_API void vexlModelSkinInv(VEXLMODEL_T& model);
VEXL_API void vexlModelSkinNoBack(VEXLMODEL_T& model);
VEXL_API void vexlModelSwapTris(VEXLMODEL_T& model);
// The first frame whose name matches (blanks trimmed, case folded), or 0
// when none does: 0 is also frame 0's number, check its name to tell.
// vexlFrameOffset is that number times V.
VEXL_API uint32_t vexlFrameOffset(const VEXLMODEL_T& model, const FBSTRING& name);
VEXL_API int32_t vexlFrameNumber(const VEXLMODEL_T& model, const FBSTRING& name);
}

// Overload pairs, C++ linkage: the buffer form, then the file-name form. The
// file-name form rewrites both names in place to their cleaned form, forces
// the loader's extension onto the file name, and reads the file from disk
// (empty archive name) or from inside the named PAK archive.
VEXL_API int32_t vexlWhatIs(const uint8_t* const& buffer, const uint32_t& bufferSize,
                            int32_t& type);
VEXL_API int32_t vexlWhatIs(FBSTRING& archiveName, FBSTRING& fileName, int32_t& type);
VEXL_API int32_t vexlPaletteLoad(const uint8_t* const& buffer, const uint32_t& bufferSize,
                                 VEXLPALETTE_T& palette);
VEXL_API int32_t vexlPaletteLoad(FBSTRING& archiveName, FBSTRING& fileName, VEXLPALETTE_T& palette);
VEXL_API int32_t vexlColorMapLoad(const uint8_t* const& buffer, const uint32_t& bufferSize,
                                  VEXLPALETTE_T& palette);
VEXL_API int32_t vexlColorMapLoad(FBSTRING& archiveName, FBSTRING& fileName,
                                  VEXLPALETTE_T& palette);
VEXL_API int32_t vexlPictureLoad(const uint8_t* const& buffer, const uint32_t& bufferSize,
                                 VEXLPICTURE_T& picture);
VEXL_API int32_t vexlPictureLoad(FBSTRING& archiveName, FBSTRING& fileName, VEXLPICTURE_T& picture);
VEXL_API int32_t vexlSpriteLoad(const uint8_t* const& buffer, const uint32_t& bufferSize,
                                VEXLSPRITE_T& sprite);
VEXL_API int32_t vexlSpriteLoad(FBSTRING& archiveName, FBSTRING& fileName, VEXLSPRITE_T& sprite);
VEXL_API int32_t vexlModelLoad(const uint8_t* const& buffer, const uint32_t& bufferSize,
                               VEXLMODEL_T& model);
VEXL_API int32_t vexlModelLoad(FBSTRING& archiveName, FBSTRING& fileName, VEXLMODEL_T& model);
// Checks a map source and prints its report to standard output.
VEXL_API int32_t vexlMapLoad(const uint8_t* const& buffer, const uint32_t& bufferSize);
VEXL_API int32_t vexlMapLoad(FBSTRING& archiveName, FBSTRING& fileName);
