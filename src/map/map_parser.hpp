// The map source checker.
//
// A map source is text: entities in braces, each holding "key" "value" lines
// and, one level deeper in braces of their own, brush blocks. The checker
// walks the text line by line, checks the brace structure and the entity
// lines, and reports every pair as it reads it and, after a clean walk, the
// number of lines, entities and brush blocks. Brush lines are not examined.
//
// A line is prepared before it is looked at: tabs count as blanks, blanks go
// from both ends and zero bytes from the end. Prepared lines are empty,
// comments ("//" first), an open ("{" alone), a close ("}" alone) or
// statements. Depth 0 is the root, 1 an entity, 2 a brush block.
#pragma once

#include "map/map_report.hpp"

#include <cstdint>

namespace vexl {

// Walks the text, writing to `report`; returns 0 or one of the map statuses.
int32_t mapWalk(const uint8_t* const& buffer, const uint32_t& size, ConsoleReport& report);

// mapWalk with a report on the process's console.
int32_t mapLoad(const uint8_t* const& buffer, const uint32_t& size);

} // namespace vexl
