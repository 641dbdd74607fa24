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
            Name(p.Name, "property name");
            Value(p.Value, depth);
        }
        Byte(0);
    }

    void Value(const DesignValue& v, int depth)
    {
        switch (v.Kind) {
        case DesignValueKind::List:
            CheckDepth(depth + 1);
            Byte(tagList);
            for (const DesignValue& item : v.List)
                Value(item, depth + 1);
            Byte(0);
            break;
        case DesignValueKind::Integer:
            if (v.Integer >= -128 && v.Integer <= 127) {
                Byte(tagInt8);
                Byte(static_cast<uint8_t>(static_cast<int8_t>(v.Integer)));
            } else if (v.Integer >= -32768 && v.Integer <= 32767) {
                const auto u = static_cast<uint16_t>(static_cast<int16_t>(v.Integer));
                Byte(tagInt16);
                Byte(static_cast<uint8_t>(u & 0xFF));
                Byte(static_cast<uint8_t>(u >> 8));
            } else {
                throw Exception("integer " + std::to_string(v.Integer) + " does not fit 16 bits");
            }
            break;
        case DesignValueKind::String:
            Byte(tagString);
            ShortString(v.Text, "string");
            break;
        case DesignValueKind::Identifier:
            Byte(tagIdent);
            Name(v.Text, "identifier");
            break;
        case DesignValueKind::Boolean:
            Byte(v.Boolean ? tagTrue : tagFalse);
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
            for (const std::string& s : v.Names)
                Name(s, "set element"); // an empty element would end the set early
            Byte(0);
            break;
        case DesignValueKind::Collection:
            CheckDepth(depth + 1);
            Byte(tagCollection);
            for (const auto& item : v.Items) {
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
        Name(c.ClassName, "class name");
        Name(c.Name, "component name");
        Properties(c.Properties, depth);
        for (const DesignComponent& child : c.Children)
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
            p.Name = name("property name");
            p.Value = value(depth);
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
        c.ClassName = name("class name");
        c.Name = name("component name");
        c.Properties = properties(depth);
        while (true) {
            need(1, "a child list");
            if (data_[pos_] == 0) {
                ++pos_;
                return c;
            }
            c.Children.push_back(component(depth + 1));
        }
    }
};

} // namespace

DesignValue DesignValue::MakeList(std::vector<DesignValue> values)
{
    DesignValue v;
    v.Kind = DesignValueKind::List;
    v.List = std::move(values);
    return v;
}

DesignValue DesignValue::MakeInteger(long long value)
{
    DesignValue v;
    v.Kind = DesignValueKind::Integer;
    v.Integer = value;
    return v;
}

DesignValue DesignValue::MakeString(std::string value)
{
    DesignValue v;
    v.Kind = DesignValueKind::String;
    v.Text = std::move(value);
    return v;
}

DesignValue DesignValue::MakeIdentifier(std::string value)
{
    DesignValue v;
    v.Kind = DesignValueKind::Identifier;
    v.Text = std::move(value);
    return v;
}

DesignValue DesignValue::MakeBoolean(bool value)
{
    DesignValue v;
    v.Kind = DesignValueKind::Boolean;
    v.Boolean = value;
    return v;
}

DesignValue DesignValue::MakeBinary(std::vector<uint8_t> value)
{
    DesignValue v;
    v.Kind = DesignValueKind::Binary;
    v.Bytes = std::move(value);
    return v;
}

DesignValue DesignValue::MakeBinaryView(std::span<const uint8_t> value)
{
    DesignValue v;
    v.Kind = DesignValueKind::Binary;
    v.View = value;
    return v;
}

DesignValue DesignValue::MakeSet(std::vector<std::string> value)
{
    DesignValue v;
    v.Kind = DesignValueKind::Set;
    v.Names = std::move(value);
    return v;
}

DesignValue DesignValue::MakeCollection(std::vector<std::vector<DesignProperty>> value)
{
    DesignValue v;
    v.Kind = DesignValueKind::Collection;
    v.Items = std::move(value);
    return v;
}

bool operator==(const DesignValue& a, const DesignValue& b)
{
    if (a.Kind != b.Kind)
        return false;
    switch (a.Kind) {
    case DesignValueKind::List:
        return a.List == b.List;
    case DesignValueKind::Integer:
        return a.Integer == b.Integer;
    case DesignValueKind::String:
    case DesignValueKind::Identifier:
        return a.Text == b.Text;
    case DesignValueKind::Boolean:
        return a.Boolean == b.Boolean;
    case DesignValueKind::Binary:
        return std::ranges::equal(a.Binary(), b.Binary());
    case DesignValueKind::Set:
        return a.Names == b.Names;
    case DesignValueKind::Collection:
        return a.Items == b.Items;
    }
    return false;
}

bool operator==(const DesignProperty& a, const DesignProperty& b)
{
    return a.Name == b.Name && a.Value == b.Value;
}

bool operator==(const DesignComponent& a, const DesignComponent& b)
{
    return a.ClassName == b.ClassName && a.Name == b.Name && a.Properties == b.Properties && a.Children == b.Children;
}

const DesignProperty* DesignComponent::Property(const std::string& propertyName) const
{
    for (const DesignProperty& p : Properties)
        if (p.Name == propertyName)
            return &p;
    return nullptr;
}

const DesignComponent* DesignComponent::Find(const std::string& componentName) const
{
    for (const DesignComponent& child : Children) {
        if (child.Name == componentName)
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
