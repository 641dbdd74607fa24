#include "app/language/Language.h"

#include "game/Chords.h"
#include "game/uVariables.h"
#include "resources/translations/EmbeddedTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace {

// The fixed-do syllables, for each language to spell as its musicians write them.
const char* const kSyllables[] = {QT_TRANSLATE_NOOP("NoteNames", "Do"),  QT_TRANSLATE_NOOP("NoteNames", "Re"),
                                  QT_TRANSLATE_NOOP("NoteNames", "Mi"),  QT_TRANSLATE_NOOP("NoteNames", "Fa"),
                                  QT_TRANSLATE_NOOP("NoteNames", "Sol"), QT_TRANSLATE_NOOP("NoteNames", "La"),
                                  QT_TRANSLATE_NOOP("NoteNames", "Si")};

// Stands in for a translation of every text: see PseudoText.
class TPseudoTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char*, const char* source, const char*, int) const override
    {
        return PseudoText(QString::fromUtf8(source));
    }
};

struct TInstalled
{
    std::unique_ptr<QTranslator> Ours;
    std::unique_ptr<QTranslator> Qts; // Qt's own dialogs' words (Yes, No, Save)
    QString Code = QStringLiteral("en");
};

TInstalled& installed()
{
    static TInstalled current;
    return current;
}

int noteNamingOption = 0;

// One of our codes for a locale name: itself, its language, or another country's variant of its language.
QString ourCode(QString name)
{
    name.replace(QLatin1Char('-'), QLatin1Char('_'));
    const QString language = name.section(QLatin1Char('_'), 0, 0);
    QString sameLanguage;
    for (const TLanguage& ours : kLanguages) {
        const QString code = QString::fromLatin1(ours.Code);
        if (code == name || code == language)
            return code;
        if (sameLanguage.isEmpty() && code.section(QLatin1Char('_'), 0, 0) == language)
            sameLanguage = code;
    }
    return sameLanguage;
}

QString systemLanguage()
{
    for (const QString& name : QLocale::system().uiLanguages())
        if (QString code = ourCode(name); !code.isEmpty())
            return code;
    return QStringLiteral("en");
}

} // namespace

QString PseudoText(const QString& text)
{
    static const QString kPlain = QStringLiteral("aeiouycnAEIOUYCN");
    static const QString kAccented = QStringLiteral("\u00E1\u00E9\u00EF\u00F6\u00FC\u00FD\u00E7\u00F1"
                                                    "\u00C1\u00C9\u00CF\u00D6\u00DC\u00DD\u00C7\u00D1");
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (!std::any_of(line.begin(), line.end(), [](QChar c) { return c.isLetter(); }))
            continue;
        QString marked(1, QChar(kPseudoOpen));
        for (const QChar c : line) {
            const auto at = kPlain.indexOf(c);
            marked += at < 0 ? c : kAccented[at];
        }
        // Translations run longer than English, German by about a third; the pad is 40 % of the line, at least 2.
        const auto pad = std::max<qsizetype>(2, (line.size() * 4 + 9) / 10);
        for (qsizetype i = 0; i < pad; ++i)
            marked += QLatin1Char("~=#"[i % 3]);
        line = marked + QChar(kPseudoClose);
    }
    return lines.join(QLatin1Char('\n'));
}

QString ChosenLanguage(int option)
{
    const QByteArray forced = qgetenv("LIRASTO_LANGUAGE");
    if (!forced.isEmpty())
        return QString::fromLatin1(forced);
    if (option >= 1 && option <= int(kLanguages.size()))
        return QString::fromLatin1(kLanguages[std::size_t(option - 1)].Code);
    return systemLanguage();
}

QString InstallTranslation(const QString& language)
{
    TInstalled& now = installed();
    for (auto* old : {now.Ours.get(), now.Qts.get()})
        if (old)
            QCoreApplication::removeTranslator(old);
    now = TInstalled();
    if (language == QLatin1String("pseudo")) {
        now.Ours = std::make_unique<TPseudoTranslator>();
        now.Code = language;
    } else if (const QString code = ourCode(language); !code.isEmpty() && code != QLatin1String("en")) {
        lirasto::EmbedTranslations();
        auto ours = std::make_unique<QTranslator>();
        if (!ours->load(QStringLiteral(":/i18n/lirasto_%1.qm").arg(code)))
            return now.Code;
        now.Ours = std::move(ours);
        now.Code = code;
        auto qts = std::make_unique<QTranslator>();
        if (qts->load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
            qts->load(QStringLiteral("qtbase_") + code.section(QLatin1Char('_'), 0, 0),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            now.Qts = std::move(qts);
    }
    for (auto* translator : {now.Qts.get(), now.Ours.get()})
        if (translator)
            QCoreApplication::installTranslator(translator);
    // Dates and numbers that Qt words itself follow the language shown.
    QLocale::setDefault(now.Ours && now.Code != QLatin1String("pseudo")
                            ? QLocale(now.Code)
                            : QLocale(QLocale::English, QLocale::UnitedStates));
    std::array<std::string, 7> syllables;
    for (std::size_t i = 0; i < syllables.size(); ++i)
        syllables[i] = (now.Code == QLatin1String("pseudo") ? QString::fromUtf8(kSyllables[i])
                                                            : QCoreApplication::translate("NoteNames", kSyllables[i]))
                           .toStdString();
    SetSolfegeSyllables(syllables);
    return now.Code;
}

QString ShownLanguage()
{
    return installed().Code;
}

void SetNoteNamingOption(int option)
{
    noteNamingOption = option;
}

TNoteNaming CurrentNoteNaming()
{
    if (noteNamingOption >= 1 && noteNamingOption <= kNoteNamingCount)
        return static_cast<TNoteNaming>(noteNamingOption - 1);
    return NoteNamingForLanguage(ShownLanguage().toStdString());
}

QString LevelName(int level)
{
    return QCoreApplication::translate("Levels", "Level %1: %2 Major")
        .arg(level)
        .arg(QString::fromStdString(KeyName(LevelKeys[level], CurrentNoteNaming())));
}

QString ChordNameShown(const TChord& chord)
{
    if (chord.Type == nullptr)
        return {};
    QString name = QCoreApplication::translate("TChordExercise", chord.Type->Name);
    if (chord.Type->Family != TChordFamily::Intervals)
        name =
            name.arg(QString::fromStdString(LetterName(chord.RootLetter, chord.RootAlteration, CurrentNoteNaming())));
    if (const char* inversion = InversionName(chord))
        name = QStringLiteral("%1, %2").arg(name, QCoreApplication::translate("TChordExercise", inversion));
    return name;
}
