// The preview's reader of ASCII DXF drawings: the structures of dxf_reader.h,
// read straight from the group pairs in large blocks, with
// progress reported by bytes and a flag that stops the reading early. Made
// for the drawings of millions of vertices that fine centre pitches give.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "dxf_reader.h"

namespace rovena::preview {

struct DxfReadControl {
    // Called after each block with the bytes read and the size of the file.
    std::function<void(std::uint64_t done, std::uint64_t total)> progress;
    // When it becomes true the reading stops with DxfReadStatus::cancelled.
    const std::atomic<bool> *cancel = nullptr;
};

DxfReadResult readDxfFileFast(const std::string &path, const DxfReadControl &control = {});

}  // namespace rovena::preview
