// The resources embedded in the executable at build time (pinwick_resource_table
// in cmake/PinwickResources.cmake generates the table each executable links).
#pragma once
#include <cstddef>
#include <cstdint>

// The bytes of the named resource, name matched without regard to case
// ("back_s" finds "BACK_S"); *size gets their length. nullptr (and *size 0)
// when there is no such resource.
const uint8_t* findResource(const char* name, size_t* size);
