#include "resources/DesignStream.h"

#include "core/Errors.h"

#include <algorithm>
#include <limits>

namespace lirasto {

namespace {

enum Tag : uint8_t {
    tagNull = 0,
    tagList = 1,
    tagInt8 = 2,
    tagInt16 = 3,
    tagString = 6,
    tagIdent = 7,
    tagFalse = 8,
    tagTrue = 9,
    tagBinary = 10,
    tagSet = 11,
    tagCollection = 14,
};

const char kSignature[4] = {'T', 'P', 'F', '0'};

class StreamWriter
{
public:
    std::vector<uint8_t> out;

    void Byte(uint8_t b) { out.push_back(b); }

    void ShortString(const std::string& s, const char* what)
    {
        if (s.size() > 255)
            throw Exception(std::string(what) + " longer than 255 bytes cannot be stored: \"" + s.substr(0, 40) +
                            "...\"");
        Byte(static_cast<uint8_t>(s.size()));
        out.insert(out.end(), s.begin(), s.end());
    }

    void Name(const std::string& s, const char* what)
    {
        if (s.empty())
            throw Exception(std::string("an empty ") + what + " cannot be stored");
        ShortString(s, what);
    }

    void Properties(const std::vector<DesignProperty>& props, int depth)
    {
        for (const DesignProperty& p : props) {
            Name(p.name, "property name");
            Value(p.value, depth);
        }
        Byte(0);
    }

    void Value(const DesignValue& v, int depth)
    {
        switch (v.kind) {
        case DesignValueKind::List:
            CheckDepth(depth + 1);
            Byte(tagList);
            for (const DesignValue& item : v.list)
                Value(item, depth + 1);
            Byte(0);
            break;
        case DesignValueKind::Integer:
            if (v.integer >= -128 && v.integer <= 127) {
                Byte(tagInt8);
                Byte(static_cast<uint8_t>(static_cast<int8_t>(v.integer)));
            } else if (v.integer >= -32768 && v.integer <= 32767) {
                const auto u = static_cast<uint16_t>(static_cast<int16_t>(v.integer));
                Byte(tagInt16);
                Byte(static_cast<uint8_t>(u & 0xFF));
                Byte(static_cast<uint8_t>(u >> 8));
            } else {
                throw Exception("integer " + std::to_string(v.integer) + " does not fit 16 bits");
            }
            break;
        case DesignValueKind::String:
            Byte(tagString);
            ShortString(v.text, "string");
            break;
        case DesignValueKind::Identifier:
            Byte(tagIdent);
            Name(v.text, "identifier");
            break;
        case DesignValueKind::Boolean:
            Byte(v.boolean ? tagTrue : tagFalse);
            break;
        case DesignValueKind::Binary: {
            const std::span<const uint8_t> data = v.Binary();
            if (data.size() > std::numeric_limits<uint32_t>::max())
                throw Exception("binary data of " + std::to_string(data.size()) + " bytes does not fit 32 bits");
            const auto n = static_cast<uint32_t>(data.size());
            Byte(tagBinary);
            for (int shift = 0; shift < 32; shift += 8)
                Byte(static_cast<uint8_t>(n >> shift));
            out.insert(out.end(), data.begin(), data.end());
            break;
        }
        case DesignValueKind::Set:
            Byte(tagSet);
            for (const std::string& s : v.names)
                Name(s, "set element"); // an empty element would end the set early
            Byte(0);
            break;
        case DesignValueKind::Collection:
            CheckDepth(depth + 1);
            Byte(tagCollection);
            for (const auto& item : v.items) {
                Byte(tagList);
                Properties(item, depth + 1);
            }
            Byte(0);
            break;
        }
    }

    void Component(const DesignComponent& c, int depth)
    {
        CheckDepth(depth);
        Name(c.className, "class name");
        Name(c.name, "component name");
        Properties(c.properties, depth);
        for (const DesignComponent& child : c.children)
            Component(child, depth + 1);
        Byte(0);
    }

    static void CheckDepth(int depth)
    {
        if (depth > kMaxDesignDepth)
            throw Exception("design nested deeper than " + std::to_string(kMaxDesignDepth) + " levels");
    }
};

class StreamReader
{
public:
    StreamReader(std::span<const uint8_t> data, DesignBinaries binaries) : data_(data), binaries_(binaries) {}

    DesignComponent ReadAll()
    {
        if (data_.size() < 4 || !std::equal(kSignature, kSignature + 4, data_.begin()))
            fail("bad signature", 0);
        pos_ = 4;
        DesignComponent root = component(1);
        if (pos_ != data_.size())
            fail(std::to_string(data_.size() - pos_) + " unexpected bytes after the top component", pos_);
        return root;
    }

private:
    std::span<const uint8_t> data_;
    DesignBinaries binaries_;
    std::size_t pos_ = 0;

    [[noreturn]] static void fail(const std::string& what, std::size_t offset)
    {
        throw EReadError("Invalid stream format: " + what + " at offset " + std::to_string(offset));
    }

    std::size_t remaining() const { return data_.size() - pos_; }

    void need(std::size_t n, const char* what)
    {
        if (n > remaining())
            fail(std::string("stream ends inside ") + what, data_.size());
    }

    uint8_t byte(const char* what)
    {
        need(1, what);
        return data_[pos_++];
    }

    std::string shortString(const char* what)
    {
        const std::size_t at = pos_;
        const uint8_t len = byte(what);
        if (len > remaining())
            fail(std::string(what) + " length " + std::to_string(len) + " runs past the end", at);
        std::string s(reinterpret_cast<const char*>(data_.data() + pos_), len);
        pos_ += len;
        return s;
    }

    std::string name(const char* what)
    {
        const std::size_t at = pos_;
        std::string s = shortString(what);
        if (s.empty())
            fail(std::string("empty ") + what, at);
        return s;
    }

    void checkDepth(int depth, std::size_t at)
    {
        if (depth > kMaxDesignDepth)
            fail("nesting deeper than " + std::to_string(kMaxDesignDepth) + " levels", at);
    }

    // Reads properties up to the 0 byte that ends them.
    std::vector<DesignProperty> properties(int depth)
    {
        std::vector<DesignProperty> props;
        while (true) {
            need(1, "a property list");
            if (data_[pos_] == 0) {
                ++pos_;
                return props;
            }
            DesignProperty p;
            p.name = name("property name");
            p.value = value(depth);
            props.push_back(std::move(p));
        }
    }

    DesignValue value(int depth)
    {
        const std::size_t at = pos_;
        const uint8_t tag = byte("a value");
        switch (tag) {
        case tagList: {
            checkDepth(depth + 1, at);
            std::vector<DesignValue> values;
            while (true) {
                need(1, "a list");
                if (data_[pos_] == 0) {
                    ++pos_;
                    return DesignValue::MakeList(std::move(values));
                }
                values.push_back(value(depth + 1));
            }
        }
        case tagInt8:
            return DesignValue::MakeInteger(static_cast<int8_t>(byte("an 8-bit integer")));
        case tagInt16: {
            need(2, "a 16-bit integer");
            const auto u = static_cast<uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
            pos_ += 2;
            return DesignValue::MakeInteger(static_cast<int16_t>(u));
        }
        case tagString:
            return DesignValue::MakeString(shortString("string"));
        case tagIdent:
            return DesignValue::MakeIdentifier(name("identifier"));
        case tagFalse:
            return DesignValue::MakeBoolean(false);
        case tagTrue:
            return DesignValue::MakeBoolean(true);
        case tagBinary: {
            need(4, "a binary length");
            uint32_t n = 0;
            for (int i = 0; i < 4; ++i)
                n |= static_cast<uint32_t>(data_[pos_ + i]) << (8 * i);
            pos_ += 4;
            // Checked before anything is allocated: the count is only a claim of the stream.
            if (n > remaining())
                fail("binary length " + std::to_string(n) + " runs past the end", at);
            const std::span<const uint8_t> bytes = data_.subspan(pos_, n);
            pos_ += n;
            if (binaries_ == DesignBinaries::Viewed)
                return DesignValue::MakeBinaryView(bytes);
            return DesignValue::MakeBinary(std::vector<uint8_t>(bytes.begin(), bytes.end()));
        }
        case tagSet: {
            std::vector<std::string> names;
            while (true) {
                std::string s = shortString("set element");
                if (s.empty())
                    return DesignValue::MakeSet(std::move(names));
                names.push_back(std::move(s));
            }
        }
        case tagCollection: {
            checkDepth(depth + 1, at);
            std::vector<std::vector<DesignProperty>> items;
            while (true) {
                const std::size_t itemAt = pos_;
                const uint8_t marker = byte("a collection");
                if (marker == 0)
                    return DesignValue::MakeCollection(std::move(items));
                if (marker != tagList)
                    fail("collection item marker " + std::to_string(marker) + " (expected 1)", itemAt);
                items.push_back(properties(depth + 1));
            }
        }
        default:
            fail("unknown value tag " + std::to_string(tag), at);
        }
    }

    DesignComponent component(int depth)
    {
        checkDepth(depth, pos_);
        DesignComponent c;
        c.className = name("class name");
        c.name = name("component name");
        c.properties = properties(depth);
        while (true) {
            need(1, "a child list");
            if (data_[pos_] == 0) {
                ++pos_;
                return c;
            }
            c.children.push_back(component(depth + 1));
        }
    }
};

} // namespace

DesignValue DesignValue::MakeList(std::vector<DesignValue> values)
{
    DesignValue v;
    v.kind = DesignValueKind::List;
    v.list = std::move(values);
    return v;
}

DesignValue DesignValue::MakeInteger(long long value)
{
    DesignValue v;
    v.kind = DesignValueKind::Integer;
    v.integer = value;
    return v;
}

DesignValue DesignValue::MakeString(std::string value)
{
    DesignValue v;
    v.kind = DesignValueKind::String;
    v.text = std::move(value);
    return v;
}

DesignValue DesignValue::MakeIdentifier(std::string value)
{
    DesignValue v;
    v.kind = DesignValueKind::Identifier;
    v.text = std::move(value);
    return v;
}

DesignValue DesignValue::MakeBoolean(bool value)
{
    DesignValue v;
    v.kind = DesignValueKind::Boolean;
    v.boolean = value;
    return v;
}

DesignValue DesignValue::MakeBinary(std::vector<uint8_t> value)
{
    DesignValue v;
    v.kind = DesignValueKind::Binary;
    v.bytes = std::move(value);
    return v;
}

DesignValue DesignValue::MakeBinaryView(std::span<const uint8_t> value)
{
    DesignValue v;
    v.kind = DesignValueKind::Binary;
    v.view = value;
    return v;
}

DesignValue DesignValue::MakeSet(std::vector<std::string> value)
{
    DesignValue v;
    v.kind = DesignValueKind::Set;
    v.names = std::move(value);
    return v;
}

DesignValue DesignValue::MakeCollection(std::vector<std::vector<DesignProperty>> value)
{
    DesignValue v;
    v.kind = DesignValueKind::Collection;
    v.items = std::move(value);
    return v;
}

bool operator==(const DesignValue& a, const DesignValue& b)
{
    if (a.kind != b.kind)
        return false;
    switch (a.kind) {
    case DesignValueKind::List:
        return a.list == b.list;
    case DesignValueKind::Integer:
        return a.integer == b.integer;
    case DesignValueKind::String:
    case DesignValueKind::Identifier:
        return a.text == b.text;
    case DesignValueKind::Boolean:
        return a.boolean == b.boolean;
    case DesignValueKind::Binary:
        return std::ranges::equal(a.Binary(), b.Binary());
    case DesignValueKind::Set:
        return a.names == b.names;
    case DesignValueKind::Collection:
        return a.items == b.items;
    }
    return false;
}

bool operator==(const DesignProperty& a, const DesignProperty& b)
{
    return a.name == b.name && a.value == b.value;
}

bool operator==(const DesignComponent& a, const DesignComponent& b)
{
    return a.className == b.className && a.name == b.name && a.properties == b.properties && a.children == b.children;
}

const DesignProperty* DesignComponent::Property(const std::string& propertyName) const
{
    for (const DesignProperty& p : properties)
        if (p.name == propertyName)
            return &p;
    return nullptr;
}

const DesignComponent* DesignComponent::Find(const std::string& componentName) const
{
    for (const DesignComponent& child : children) {
        if (child.name == componentName)
            return &child;
        if (const DesignComponent* found = child.Find(componentName))
            return found;
    }
    return nullptr;
}

std::vector<uint8_t> WriteDesignStream(const DesignComponent& root)
{
    StreamWriter w;
    // GCC 12 believes the empty vector's zero-byte storage is written before insert has grown it
    // (a known false report of its range-insert inlining); the insert allocates four bytes first.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wstringop-overflow"
#pragma GCC diagnostic ignored "-Warray-bounds"
#endif
    w.out.insert(w.out.end(), kSignature, kSignature + 4);
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
    w.Component(root, 1);
    return std::move(w.out);
}

DesignComponent ReadDesignStream(std::span<const uint8_t> stream, DesignBinaries binaries)
{
    return StreamReader(stream, binaries).ReadAll();
}

} // namespace lirasto
