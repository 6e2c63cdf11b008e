// The fuzz targets' form of a help file's objects: one after another, a name's length (one
// byte), the name, the object's length (four bytes, little-endian) and its bytes. A cut-off
// object ends the archive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

namespace mezura::fuzz {

inline std::map<std::string, std::string> readArchive(const std::uint8_t* data, std::size_t size)
{
    std::map<std::string, std::string> objects;
    std::size_t at = 0;
    while (at < size) {
        const std::size_t nameLength = data[at++];
        if (size - at < nameLength + 4) {
            break;
        }
        std::string name(reinterpret_cast<const char*>(data + at), nameLength);
        at += nameLength;
        const std::size_t length = std::size_t{data[at]} | std::size_t{data[at + 1]} << 8 |
            std::size_t{data[at + 2]} << 16 | std::size_t{data[at + 3]} << 24;
        at += 4;
        if (size - at < length) {
            break;
        }
        objects[name].assign(reinterpret_cast<const char*>(data + at), length);
        at += length;
    }
    return objects;
}

inline std::string writeArchive(const std::map<std::string, std::string>& objects)
{
    std::string archive;
    for (const auto& [name, bytes] : objects) {
        if (name.size() > 255) {
            continue;
        }
        archive += static_cast<char>(name.size());
        archive += name;
        for (int shift = 0; shift < 32; shift += 8) {
            archive += static_cast<char>((bytes.size() >> shift) & 0xFF);
        }
        archive += bytes;
    }
    return archive;
}

} // namespace mezura::fuzz
