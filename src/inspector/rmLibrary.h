#pragma once
// The control library's shared routines: conversions and text routines, ranges and
// rectangles, colours and drawing, CRC-32, system and registry routines, list sorting and
// the copying stream, and the calendar's tables of names and month lengths.
#include "inspector/rmCrc32.h"
#include "inspector/rmDrawText.h"
#include "inspector/rmLibraryCalendar.h"
#include "inspector/rmLibraryDraw.h"
#include "inspector/rmLibraryRanges.h"
#include "inspector/rmLibraryShell.h"
#include "inspector/rmLibrarySystem.h"
#include "inspector/rmLibraryText.h"
#include "inspector/rmListSort.h"
#include "inspector/rmStream.h"
