#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The window design as a tree of components, properties and values, and its binary component stream
// ("TPF0" followed by the top component's record).
namespace lirasto {

struct DesignProperty;

enum class DesignValueKind {
    List,       // tag 1: values up to a 0 byte
    Integer,    // tag 2 (int8) or 3 (int16), chosen by size when written
    String,     // tag 6: length byte and characters
    Identifier, // tag 7: enumeration value, colour, handler or component name
    Boolean,    // tag 8 false, tag 9 true
    Binary,     // tag 10: uint32 byte count and bytes
    Set,        // tag 11: identifiers up to an empty one
    Collection  // tag 14: items, each a property list
};

struct DesignValue
{
    DesignValueKind Kind = DesignValueKind::Integer;
    long long Integer = 0;
    bool Boolean = false;
    std::string Text;                               // String, Identifier
    std::vector<uint8_t> Bytes;                     // Binary, held by the value
    std::span<const uint8_t> View;                  // Binary, read in place from a stream that outlives the value
    std::vector<std::string> Names;                 // Set
    std::vector<DesignValue> List;                  // List
    std::vector<std::vector<DesignProperty>> Items; // Collection

    static DesignValue MakeList(std::vector<DesignValue> values);
    static DesignValue MakeInteger(long long value);
    static DesignValue MakeString(std::string value);
    static DesignValue MakeIdentifier(std::string value);
    static DesignValue MakeBoolean(bool value);
    static DesignValue MakeBinary(std::vector<uint8_t> value);
    static DesignValue MakeBinaryView(std::span<const uint8_t> value);
    static DesignValue MakeSet(std::vector<std::string> value);
    static DesignValue MakeCollection(std::vector<std::vector<DesignProperty>> value);

    // The binary data, whether held or viewed.
    std::span<const uint8_t> Binary() const { return View.data() ? View : std::span<const uint8_t>(Bytes); }

    friend bool operator==(const DesignValue& a, const DesignValue& b);
};

struct DesignProperty
{
    std::string Name; // dotted names such as "Bitmap.Data" are kept whole
    DesignValue Value;

    friend bool operator==(const DesignProperty& a, const DesignProperty& b);
};

struct DesignComponent
{
    std::string ClassName;
    std::string Name;
    std::vector<DesignProperty> Properties;
    std::vector<DesignComponent> Children;

    // The property of that name, or nullptr.
    const DesignProperty* Property(const std::string& propertyName) const;
    // The child (searched depth-first) of that name, or nullptr.
    const DesignComponent* Find(const std::string& componentName) const;

    friend bool operator==(const DesignComponent& a, const DesignComponent& b);
};

// Deeper nesting of components, lists and collections than this is refused by reader and writer alike.
inline constexpr int kMaxDesignDepth = 64;

// Throws lirasto::Exception for values the stream cannot hold (integers outside int16, names or
// strings longer than 255 bytes, binary data of 4 GiB or more, empty names).
std::vector<uint8_t> WriteDesignStream(const DesignComponent& root);

// How the reader keeps binary values: copied into the tree, or viewed in place, which saves copying
// large pictures when the stream outlives the tree (as the program's embedded design does).
enum class DesignBinaries { Copied, Viewed };

// Throws lirasto::EReadError naming the fault and its byte offset. Never allocates more than the
// stream's own size and never recurses deeper than kMaxDesignDepth.
DesignComponent ReadDesignStream(std::span<const uint8_t> stream, DesignBinaries binaries = DesignBinaries::Copied);

} // namespace lirasto
