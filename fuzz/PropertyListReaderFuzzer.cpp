// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/PropertyListReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)tiklo::PropertyListReader::parse(bytes);
    return 0;
}
