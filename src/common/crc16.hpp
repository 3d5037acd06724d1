#pragma once

#include <cstdint>
#include <span>

namespace korvane {

// CRC-16/MODBUS: reflected polynomial 0xA001, initial value 0xFFFF, no final
// XOR. The mouse's firmware-update packets carry it little-endian.
std::uint16_t Crc16Modbus(std::span<const std::uint8_t> bytes);

}  // namespace korvane
