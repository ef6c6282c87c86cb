#pragma once
// Block and reader-key access for the operations built on the exports: they
// go through ReadCardBlank, WriteCardBlank and SetMacPassword, so that every
// block exchange is one opening of the port.

#include <optional>
#include <string>
#include <string_view>

#include "card_layout.h"

namespace cardpurse {

std::optional<std::string> readBlock(int port, BlockAddress address);
bool writeBlock(int port, BlockAddress address, const std::string& blockText);

// Writes the purse block the way it is always written: to the purse backup
// block first, then to the purse block. Other blocks are written once.
bool writeAccountBlock(int port, BlockAddress address, const std::string& blockText);

bool loadReaderKey(int port, const char* key);

}  // namespace cardpurse
