// Vexalkit for C++: owners that release what the library allocates, views
// over the records, and failures as exceptions (vexalkit::Error).
//
// Built only on the entry points of vexalkit.hpp: it adds no export and
// works alike against every build of the library. It needs C++20. Every owner is move-only,
// starts empty, and empties its record with the matching Kill function (or
// free) when destroyed; record() gives the record itself for the raw calls.
// Views (spans, string_views, PictureView) stay valid while their owner
// lives and is not reloaded or moved from.
//
// Threads: distinct owners may be loaded, read and destroyed on different
// threads at once, including reads from the same PAK archive: the library
// takes file handles from a shared pool with atomics (255 handles; a call
// that finds none free fails with Status::NoFileHandle). One owner is not
// to be changed on one thread while used on another.
//
// The map checker is not included here: it prints to standard output, and
// capturing that (vexalkit/map.hpp: checkMap, StdoutCapture) takes
// descriptor juggling and temporary files that other users need not
// compile. Include "vexalkit/map.hpp" beside this header to check maps.
#pragma once

#if __cplusplus < 202002L && !(defined(_MSVC_LANG) && _MSVC_LANG >= 202002L)
#error "vexalkit_cpp.hpp needs C++20 (std::span); the raw vexalkit.hpp does not"
#endif

#include "vexalkit.hpp"
#include "vexalkit/archives.hpp"
#include "vexalkit/bytes.hpp"
#include "vexalkit/counts.hpp"
#include "vexalkit/error.hpp"
#include "vexalkit/file_type.hpp"
#include "vexalkit/formats.hpp"
#include "vexalkit/heap_string.hpp"
#include "vexalkit/images.hpp"
#include "vexalkit/model.hpp"
