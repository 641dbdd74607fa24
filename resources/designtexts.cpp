// Lists the texts of the window design that the player reads, as a C++ source that
// Qt's lupdate reads, so that translators find them beside the program's own texts.
//
//   lirasto_designtexts <form.dfm> <out.cpp>

#include "resources/DesignTexts.h"
#include "resources/DesignText.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

void writeTexts(std::ostream& out, const lirasto::DesignComponent& component)
{
    const std::string& here = component.Name;
    for (const lirasto::DesignProperty& property : component.Properties) {
        if (!lirasto::IsTranslatedProperty(property.Name))
            continue;
        const bool list = property.Value.Kind == lirasto::DesignValueKind::List;
        const auto write = [&](const lirasto::DesignValue& value) {
            if (value.Kind == lirasto::DesignValueKind::String && lirasto::IsWordedText(value.Text))
                out << "    //: " << here << "." << property.Name << "\n    QT_TRANSLATE_NOOP(\""
                    << lirasto::kDesignTextContext << "\", " << quoted(value.Text) << "),\n";
        };
        if (list)
            for (const lirasto::DesignValue& item : property.Value.List)
                write(item);
        else
            write(property.Value);
    }
    for (const lirasto::DesignComponent& child : component.Children)
        writeTexts(out, child);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: lirasto_designtexts <form.dfm> <out.cpp>\n";
        return 2;
    }
    try {
        std::ifstream in(argv[1], std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        if (!in)
            throw std::runtime_error(std::string("cannot read ") + argv[1]);
        const auto design =
            lirasto::ParseDesignText(text.str(), [](const std::string&) { return std::vector<uint8_t>(); });
        std::ostringstream out;
        out << "// The window design's texts, listed from " << argv[1] << " for lupdate; not compiled.\n"
            << "static const char* const kDesignTexts[] = {\n";
        writeTexts(out, design);
        out << "};\n";
        std::ofstream file(argv[2], std::ios::binary);
        file << out.str();
        if (!file)
            throw std::runtime_error(std::string("cannot write ") + argv[2]);
    } catch (const std::exception& e) {
        std::cerr << "lirasto_designtexts: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
