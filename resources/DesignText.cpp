#include "resources/DesignText.h"

#include "core/Text.h"

#include "core/Errors.h"

#include <cctype>

namespace lirasto {

namespace {

bool isIdentStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool isIdentChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

class TextParser
{
public:
    TextParser(std::string_view text, const DesignArtworkLoader& loader) : text_(text), loader_(loader) {}

    DesignComponent Parse()
    {
        skipBlanks();
        DesignComponent root = component(1);
        skipBlanks();
        if (pos_ < text_.size())
            fail("expected the end of the text after the top object's 'end', found " + describeHere());
        return root;
    }

private:
    std::string_view text_;
    const DesignArtworkLoader& loader_;
    std::size_t pos_ = 0;
    int line_ = 1;

    [[noreturn]] void fail(const std::string& what) const
    {
        throw EReadError("Line " + std::to_string(line_) + ": " + what);
    }

    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }

    void advance()
    {
        if (text_[pos_] == '\n')
            ++line_;
        ++pos_;
    }

    void skipBlanks()
    {
        while (!atEnd()) {
            const char c = peek();
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                advance();
            } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
                while (!atEnd() && peek() != '\n')
                    advance();
            } else {
                return;
            }
        }
    }

    std::string describeHere() const
    {
        if (atEnd())
            return "the end of the text";
        std::size_t end = pos_;
        while (end < text_.size() && end - pos_ < 20 && text_[end] != '\n' && text_[end] != '\r')
            ++end;
        // Built up in place: GCC 12 at -O3 takes "'" + string + "'" for an overlapping copy (-Wrestrict).
        std::string quoted(1, '\'');
        quoted.append(text_.substr(pos_, end - pos_));
        quoted += '\'';
        return quoted;
    }

    void expect(char c, const char* context)
    {
        skipBlanks();
        if (peek() != c)
            fail(std::string("expected '") + c + "' " + context + ", found " + describeHere());
        advance();
    }

    std::string identifier(const char* what)
    {
        skipBlanks();
        if (!isIdentStart(peek()))
            fail(std::string("expected ") + what + ", found " + describeHere());
        const std::size_t start = pos_;
        while (!atEnd() && isIdentChar(peek()))
            advance();
        return std::string(text_.substr(start, pos_ - start));
    }

    bool atKeyword(std::string_view word)
    {
        skipBlanks();
        if (text_.size() - pos_ < word.size() || !EqualsNoCase(text_.substr(pos_, word.size()), word))
            return false;
        const std::size_t after = pos_ + word.size();
        return after >= text_.size() || !isIdentChar(text_[after]);
    }

    void keyword(std::string_view word, const char* context)
    {
        if (!atKeyword(word))
            fail("expected '" + std::string(word) + "' " + context + ", found " + describeHere());
        pos_ += word.size();
    }

    DesignComponent component(int depth)
    {
        if (depth > kMaxDesignDepth)
            fail("objects nested deeper than " + std::to_string(kMaxDesignDepth) + " levels");
        keyword("object", "to begin a component");
        DesignComponent c;
        c.Name = identifier("a component name after 'object'");
        expect(':', "after the component name");
        c.ClassName = identifier("a class name after ':'");
        while (true) {
            if (atKeyword("end")) {
                pos_ += 3;
                return c;
            }
            if (atKeyword("object")) {
                c.Children.push_back(component(depth + 1));
                continue;
            }
            if (atEnd())
                fail("expected 'end' for object " + c.Name + ", found the end of the text");
            c.Properties.push_back(property(depth));
        }
    }

    DesignProperty property(int depth)
    {
        DesignProperty p;
        p.Name = identifier("a property name, 'object' or 'end'");
        expect('=', "after property name " + p.Name);
        p.Value = value(depth);
        return p;
    }

    void expect(char c, const std::string& context) { expect(c, context.c_str()); }

    DesignValue value(int depth)
    {
        skipBlanks();
        const char c = peek();
        if (c == '-' || c == '+' || std::isdigit(static_cast<unsigned char>(c)) || c == '$')
            return DesignValue::MakeInteger(integer());
        if (c == '\'' || c == '#')
            return DesignValue::MakeString(string());
        if (c == '[')
            return set();
        if (c == '(')
            return list(depth);
        if (c == '<')
            return collection(depth);
        if (c == '{')
            return binary();
        if (isIdentStart(c)) {
            std::string id = identifier("a value");
            if (EqualsNoCase(id, "True"))
                return DesignValue::MakeBoolean(true);
            if (EqualsNoCase(id, "False"))
                return DesignValue::MakeBoolean(false);
            return DesignValue::MakeIdentifier(std::move(id));
        }
        fail("expected a value (number, 'string', identifier, [set], (list), <collection> or {data}), found " +
             describeHere());
    }

    long long integer()
    {
        bool negative = false;
        if (peek() == '-' || peek() == '+') {
            negative = peek() == '-';
            advance();
        }
        int base = 10;
        if (peek() == '$') {
            base = 16;
            advance();
        }
        long long value = 0;
        int digits = 0;
        while (!atEnd()) {
            const int d =
                base == 16 ? hexDigit(peek()) : (std::isdigit(static_cast<unsigned char>(peek())) ? peek() - '0' : -1);
            if (d < 0)
                break;
            value = value * base + d;
            // Anything beyond 32 bits cannot be stored anyway; stop before the arithmetic overflows.
            if (value > 0xFFFFFFFFLL)
                fail("integer too large");
            ++digits;
            advance();
        }
        if (digits == 0)
            fail("expected digits in a number, found " + describeHere());
        if (peek() == '.' || isIdentStart(peek()))
            fail("expected a whole number, found " + describeHere());
        return negative ? -value : value;
    }

    // Quoted parts and #code characters written together, optionally joined across lines by '+'.
    std::string string()
    {
        std::string s;
        while (true) {
            stringPart(s);
            skipBlanks();
            if (peek() != '+')
                return s;
            advance();
            skipBlanks();
            if (peek() != '\'' && peek() != '#')
                fail("expected a string after '+', found " + describeHere());
        }
    }

    void stringPart(std::string& s)
    {
        bool any = false;
        while (true) {
            if (peek() == '\'') {
                advance();
                while (true) {
                    if (atEnd() || peek() == '\n' || peek() == '\r')
                        fail("unterminated string");
                    if (peek() == '\'') {
                        advance();
                        if (peek() == '\'') {
                            s.push_back('\'');
                            advance();
                            continue;
                        }
                        break;
                    }
                    s.push_back(peek());
                    advance();
                }
            } else if (peek() == '#') {
                advance();
                int code = 0;
                int digits = 0;
                while (std::isdigit(static_cast<unsigned char>(peek()))) {
                    code = code * 10 + (peek() - '0');
                    if (code > 255)
                        fail("character code above 255 in a string");
                    ++digits;
                    advance();
                }
                if (digits == 0)
                    fail("expected a character code after '#', found " + describeHere());
                s.push_back(static_cast<char>(code));
            } else {
                if (!any)
                    fail("expected a string, found " + describeHere());
                return;
            }
            any = true;
        }
    }

    DesignValue set()
    {
        advance(); // '['
        std::vector<std::string> names;
        skipBlanks();
        if (peek() == ']') {
            advance();
            return DesignValue::MakeSet(std::move(names));
        }
        while (true) {
            names.push_back(identifier("a set element"));
            skipBlanks();
            if (peek() == ']') {
                advance();
                return DesignValue::MakeSet(std::move(names));
            }
            expect(',', "or ']' in a set");
        }
    }

    DesignValue list(int depth)
    {
        if (depth + 1 > kMaxDesignDepth)
            fail("lists nested deeper than " + std::to_string(kMaxDesignDepth) + " levels");
        advance(); // '('
        std::vector<DesignValue> values;
        while (true) {
            skipBlanks();
            if (peek() == ')') {
                advance();
                return DesignValue::MakeList(std::move(values));
            }
            if (atEnd())
                fail("expected ')' to close a list, found the end of the text");
            values.push_back(value(depth + 1));
        }
    }

    DesignValue collection(int depth)
    {
        if (depth + 1 > kMaxDesignDepth)
            fail("collections nested deeper than " + std::to_string(kMaxDesignDepth) + " levels");
        advance(); // '<'
        std::vector<std::vector<DesignProperty>> items;
        while (true) {
            skipBlanks();
            if (peek() == '>') {
                advance();
                return DesignValue::MakeCollection(std::move(items));
            }
            keyword("item", "or '>' in a collection");
            std::vector<DesignProperty> props;
            while (!atKeyword("end")) {
                if (atEnd())
                    fail("expected 'end' for a collection item, found the end of the text");
                props.push_back(property(depth + 1));
            }
            pos_ += 3;
            items.push_back(std::move(props));
        }
    }

    DesignValue binary()
    {
        advance(); // '{'
        skipBlanks();
        if (peek() == '@') {
            advance();
            const std::size_t start = pos_;
            while (!atEnd() && peek() != '}' && peek() != '\n' && peek() != ' ')
                advance();
            const std::string name(text_.substr(start, pos_ - start));
            if (name.empty())
                fail("expected an artwork file name after '{@'");
            expect('}', "after the artwork file name");
            if (!loader_)
                fail("artwork reference {@" + name + "} but no artwork is available");
            try {
                return DesignValue::MakeBinary(loader_(name));
            } catch (const std::exception& e) {
                fail("cannot load artwork " + name + ": " + e.what());
            }
        }
        std::vector<uint8_t> bytes;
        int high = -1;
        while (true) {
            skipBlanks();
            if (peek() == '}') {
                if (high >= 0)
                    fail("odd number of hex digits in binary data");
                advance();
                return DesignValue::MakeBinary(std::move(bytes));
            }
            const int d = hexDigit(peek());
            if (d < 0)
                fail("expected a hex digit or '}' in binary data, found " + describeHere());
            advance();
            if (high < 0) {
                high = d;
            } else {
                bytes.push_back(static_cast<uint8_t>(high * 16 + d));
                high = -1;
            }
        }
    }
};

std::string quoted(const std::string& s)
{
    if (s.empty())
        return "''";
    std::string out;
    bool inQuotes = false;
    for (const char ch : s) {
        const auto u = static_cast<unsigned char>(ch);
        if (u >= 32 && u < 127) {
            if (!inQuotes) {
                out += '\'';
                inQuotes = true;
            }
            if (ch == '\'')
                out += '\'';
            out += ch;
        } else {
            if (inQuotes) {
                out += '\'';
                inQuotes = false;
            }
            out += '#' + std::to_string(u);
        }
    }
    if (inQuotes)
        out += '\'';
    return out;
}

class TextWriter
{
public:
    std::string out;

    void Component(const DesignComponent& c, int indent)
    {
        line(indent, "object " + c.Name + ": " + c.ClassName);
        for (const DesignProperty& p : c.Properties)
            property(p, indent + 1);
        for (const DesignComponent& child : c.Children)
            Component(child, indent + 1);
        line(indent, "end");
    }

private:
    void line(int indent, const std::string& text)
    {
        out.append(static_cast<std::size_t>(indent) * 2, ' ');
        out += text;
        out += '\n';
    }

    void property(const DesignProperty& p, int indent)
    {
        out.append(static_cast<std::size_t>(indent) * 2, ' ');
        out += p.Name + " = ";
        value(p.Value, indent);
        out += '\n';
    }

    // Writes the value from the current column on; continuation lines are indented one level deeper.
    void value(const DesignValue& v, int indent)
    {
        switch (v.Kind) {
        case DesignValueKind::Integer:
            out += std::to_string(v.Integer);
            break;
        case DesignValueKind::String:
            out += quoted(v.Text);
            break;
        case DesignValueKind::Identifier:
            out += v.Text;
            break;
        case DesignValueKind::Boolean:
            out += v.Boolean ? "True" : "False";
            break;
        case DesignValueKind::Set:
            out += '[';
            for (std::size_t i = 0; i < v.Names.size(); ++i)
                out += (i ? ", " : "") + v.Names[i];
            out += ']';
            break;
        case DesignValueKind::List:
            out += '(';
            for (const DesignValue& item : v.List) {
                out += '\n';
                out.append(static_cast<std::size_t>(indent + 1) * 2, ' ');
                value(item, indent + 1);
            }
            out += ')';
            break;
        case DesignValueKind::Binary: {
            static const char kHex[] = "0123456789ABCDEF";
            const std::span<const uint8_t> bytes = v.Binary();
            out += '{';
            for (std::size_t i = 0; i < bytes.size(); ++i) {
                if (i % 32 == 0) {
                    out += '\n';
                    out.append(static_cast<std::size_t>(indent + 1) * 2, ' ');
                }
                out += kHex[bytes[i] >> 4];
                out += kHex[bytes[i] & 15];
            }
            out += '}';
            break;
        }
        case DesignValueKind::Collection:
            out += '<';
            for (const auto& item : v.Items) {
                out += '\n';
                line(indent + 1, "item");
                for (const DesignProperty& p : item)
                    property(p, indent + 2);
                out.append(static_cast<std::size_t>(indent + 1) * 2, ' ');
                out += "end";
            }
            out += '>';
            break;
        }
    }
};

} // namespace

DesignComponent ParseDesignText(std::string_view text, const DesignArtworkLoader& loader)
{
    return TextParser(text, loader).Parse();
}

std::string WriteDesignText(const DesignComponent& root)
{
    TextWriter w;
    w.Component(root, 0);
    return std::move(w.out);
}

} // namespace lirasto
