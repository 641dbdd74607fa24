// Fails the build when a language's translation file is not complete: a text of the
// program missing from it (lupdate not run since the text came in), an entry left
// unfinished, or a translation that drops or invents a %1-style placeholder.
//
//   lirasto_tscheck <texts.ts> <language.ts>...
//
// texts.ts is what lupdate finds in the sources now, with no translations.

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <cstdio>
#include <map>

namespace {

struct TEntry
{
    qint64 Line = 0;
    bool Unfinished = false;
    QStringList Translations; // one, or one per plural form
};

using TKey = std::tuple<QString, QString, QString>; // context, source, disambiguation

std::map<TKey, TEntry> readTs(const QString& path, QString& error)
{
    std::map<TKey, TEntry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = path + QStringLiteral(": cannot be read");
        return entries;
    }
    QXmlStreamReader xml(&file);
    QString context;
    TKey key;
    TEntry entry;
    bool obsolete = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("context")) {
                context.clear();
            } else if (name == QLatin1String("name") && context.isEmpty()) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                key = {context, {}, {}};
                entry = {xml.lineNumber(), false, {}};
            } else if (name == QLatin1String("source")) {
                std::get<1>(key) = xml.readElementText();
            } else if (name == QLatin1String("comment")) {
                std::get<2>(key) = xml.readElementText();
            } else if (name == QLatin1String("translation")) {
                const auto type = xml.attributes().value(QLatin1String("type"));
                entry.Unfinished = type == QLatin1String("unfinished");
                obsolete = type == QLatin1String("vanished") || type == QLatin1String("obsolete");
                // Plural forms are <numerusform> children; a plain translation is the element's text.
                QString text;
                while (!xml.atEnd()) {
                    xml.readNext();
                    if (xml.isCharacters())
                        text += xml.text();
                    else if (xml.isStartElement() && xml.name() == QLatin1String("numerusform"))
                        entry.Translations << xml.readElementText();
                    else if (xml.isEndElement() && xml.name() == QLatin1String("translation"))
                        break;
                }
                if (entry.Translations.isEmpty())
                    entry.Translations << text;
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            if (!obsolete)
                entries[key] = entry;
            obsolete = false;
        }
    }
    if (xml.hasError())
        error = QStringLiteral("%1:%2: %3").arg(path).arg(xml.lineNumber()).arg(xml.errorString());
    return entries;
}

QSet<QString> placeholders(const QString& text)
{
    static const QRegularExpression kPlaceholder(QStringLiteral("%(\\d+|n)"));
    QSet<QString> found;
    for (const auto& match : kPlaceholder.globalMatch(text))
        found.insert(match.captured());
    return found;
}

QString describe(const TKey& key)
{
    QString text = std::get<0>(key) + QStringLiteral(" \"") + std::get<1>(key) + QLatin1Char('"');
    if (!std::get<2>(key).isEmpty())
        text += QStringLiteral(" (") + std::get<2>(key) + QLatin1Char(')');
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: lirasto_tscheck <texts.ts> <language.ts>...\n");
        return 2;
    }
    QString error;
    const auto texts = readTs(QString::fromLocal8Bit(argv[1]), error);
    int faults = 0;
    const auto report = [&faults](const QString& line) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(line));
        ++faults;
    };
    if (!error.isEmpty())
        report(error);
    for (int i = 2; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        const auto language = readTs(path, error);
        if (!error.isEmpty())
            report(error);
        for (const auto& [key, _] : texts) {
            const auto found = language.find(key);
            if (found == language.end()) {
                report(QStringLiteral("%1: missing: %2").arg(path, describe(key)));
                continue;
            }
            const TEntry& entry = found->second;
            const bool empty = entry.Translations.join(QString()).isEmpty();
            if (entry.Unfinished || empty) {
                report(QStringLiteral("%1:%2: unfinished: %3").arg(path).arg(entry.Line).arg(describe(key)));
                continue;
            }
            for (const QString& translation : entry.Translations)
                if (placeholders(translation) != placeholders(std::get<1>(key)))
                    report(QStringLiteral("%1:%2: placeholders differ from the source: %3")
                               .arg(path)
                               .arg(entry.Line)
                               .arg(describe(key)));
        }
    }
    if (faults > 0)
        std::fprintf(stderr,
                     "Translations incomplete: run `cmake --build <build> --target lirasto_lupdate`, then translate "
                     "every entry named above (see the README, \"Translations\").\n");
    return faults > 0 ? 1 : 0;
}
