// The window in another language: every text it shows goes through translation, the
// pseudo-language's longer texts fit their controls on every page, and the note names
// follow the language and the player's choice. Registered twice: at 1x and at 2x.
#include "app/language/Language.h"
#include "app/options/OptionsPage.h"
#include "app/progress/ProgressPage.h"
#include "app/settings/Options.h"
#include "game/NoteNames.h"
#include "tests/app/window/MainWindowFixture.h"

#include <QComboBox>
#include <QDir>
#include <QPaintEngine>
#include <QPainter>
#include <QTabBar>
#include <QTextItem>

using namespace lirasto::test;

namespace {

// Keeps the texts a widget paints with QPainter::drawText.
class TTextRecorder : public QPaintDevice, public QPaintEngine
{
public:
    explicit TTextRecorder(QSize size) : size_(size) {}
    QStringList texts_;

    QPaintEngine* paintEngine() const override { return const_cast<TTextRecorder*>(this); }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override { texts_ << item.text(); }
    Type type() const override { return QPaintEngine::User; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return size_.width();
        case PdmHeight:
            return size_.height();
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 1;
        }
    }

private:
    QSize size_;
};

// What is left of a text once its marked (translated) parts are taken out.
QString unmarked(const QString& text)
{
    QString left;
    int depth = 0;
    for (const QChar c : text) {
        if (c == QChar(kPseudoOpen))
            ++depth;
        else if (c == QChar(kPseudoClose))
            depth = std::max(0, depth - 1);
        else if (depth == 0)
            left += c;
    }
    return left;
}

bool hasLetter(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

// The texts a widget shows of its own, each a line.
QStringList shownTexts(QWidget* widget)
{
    QStringList texts;
    for (const char* name : {"Caption", "Lines", "Strings"})
        if (const QVariant value = widget->property(name); value.isValid())
            texts << value.toStringList();
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
    return texts;
}

// The visible widgets of the page showing now, with a text of their own.
std::vector<QWidget*> textWidgets(QWidget* page)
{
    std::vector<QWidget*> found;
    for (QWidget* widget : page->findChildren<QWidget*>())
        if (widget->isVisibleTo(page) && !shownTexts(widget).join(QString()).isEmpty())
            found.push_back(widget);
    return found;
}

class PseudoLanguage : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        InstallTranslation(QStringLiteral("pseudo"));
        OpenShown();
        form_->StartSubsystems();
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        InstallTranslation(QStringLiteral("en"));
    }

    // Each page in turn, shown, with what it paints recorded.
    template <typename F>
    void ForEachPage(F&& visit)
    {
        for (int i = 0; i < form_->PageControl->count(); ++i) {
            form_->PageControl->setCurrentIndex(i);
            QCoreApplication::processEvents();
            QWidget* page = form_->PageControl->currentWidget();
            if (const QByteArray dir = qgetenv("LIRASTO_SHOTS"); !dir.isEmpty())
                form_->grab().save(QStringLiteral("%1/page%2_%3x.png")
                                       .arg(QString::fromLocal8Bit(dir))
                                       .arg(i)
                                       .arg(form_->devicePixelRatio()));
            visit(page);
        }
    }
};

} // namespace

// A text without the pseudo-language's marks was shown without passing through translation.
TEST_F(PseudoLanguage, EveryTextTheWindowShowsPassesThroughTranslation)
{
    QStringList untranslated;
    // A note's name follows the note names chosen, not the language's texts.
    const auto isNoteName = [](const QString& text) {
        for (int note = 21; note <= 108; ++note)
            if (text == QString::fromStdString(NoteName(note, 0, CurrentNoteNaming())))
                return true;
        return false;
    };
    const auto check = [&](const QString& where, const QString& text) {
        // Each language is offered under its own name, whatever the language shown.
        if (std::any_of(kLanguages.begin(), kLanguages.end(),
                        [&](const TLanguage& language) { return text == QString::fromUtf8(language.NativeName); }))
            return;
        if (isNoteName(text))
            return;
        // Addresses stay as they are in every language.
        for (const QString& line : text.split(QLatin1Char('\n')))
            if (hasLetter(unmarked(line)) && !line.contains(QLatin1Char('@')) && !line.contains(QLatin1String("://")))
                untranslated << where + QStringLiteral(": ") + line;
    };
    check(QStringLiteral("window title"), form_->windowTitle());
    for (int i = 0; i < form_->PageControl->count(); ++i)
        check(QStringLiteral("tab"), form_->PageControl->tabText(i));
    ForEachPage([&](QWidget* page) {
        for (QWidget* widget : textWidgets(page))
            for (const QString& text : shownTexts(widget))
                check(widget->objectName(), text);
        // What a page paints itself (the Progress page's lists and chart).
        TTextRecorder recorder(page->size());
        page->render(&recorder, QPoint(), QRegion(), QWidget::DrawChildren);
        // The Progress page shows a picture of its face, painted once: paint that here.
        for (const TProgressPage* progress : page->findChildren<TProgressPage*>()) {
            QPainter painter(&recorder);
            progress->PaintFace(painter);
        }
        // A mark the face lacks is drawn apart, in a fallback face: the runs are read in one.
        recorder.texts_.removeIf(isNoteName);
        check(page->objectName() + QStringLiteral(" (painted)"), recorder.texts_.join(QString()));
    });
    EXPECT_TRUE(untranslated.isEmpty()) << untranslated.join(QLatin1Char('\n')).toStdString();
}

// Texts 40 % longer than English stay whole inside their controls, and no two controls with text overlap.
TEST_F(PseudoLanguage, LongerTextsFitTheirControlsOnEveryPage)
{
    QStringList faults;
    ForEachPage([&](QWidget* page) {
        const std::vector<QWidget*> widgets = textWidgets(page);
        for (QWidget* widget : widgets) {
            const QString name = widget->objectName();
            const QFontMetrics metrics(widget->font());
            const bool wraps = widget->property("WordWrap").toBool();
            const bool lines = widget->property("Lines").isValid() || qobject_cast<QComboBox*>(widget);
            // The credits line scrolls through its text.
            if (widget->inherits("TSkinScrollingText"))
                continue;
            if (!lines && !wraps) {
                const QStringList rows = shownTexts(widget).value(0).split(QLatin1Char('\n'));
                // A tick's box and a button's edges take their part of the width.
                const int room = widget->width() - (widget->inherits("TSkinCheckBox") ? 20 : 0) -
                                 (widget->inherits("TSkinBtn") ? 4 : 0) - (widget->inherits("TSkinGroupBox") ? 16 : 0);
                for (const QString& text : rows)
                    if (metrics.horizontalAdvance(text) > room)
                        faults << QStringLiteral("%1 cut: \"%2\" needs %3 px of %4")
                                      .arg(name, text)
                                      .arg(metrics.horizontalAdvance(text))
                                      .arg(room);
                if (rows.size() > 1 && rows.size() * metrics.lineSpacing() > widget->height())
                    faults << QStringLiteral("%1 cut: %2 lines need %3 px of %4")
                                  .arg(name)
                                  .arg(rows.size())
                                  .arg(rows.size() * metrics.lineSpacing())
                                  .arg(widget->height());
            }
            if (auto* box = qobject_cast<QComboBox*>(widget))
                for (int i = 0; i < box->count(); ++i)
                    if (metrics.horizontalAdvance(box->itemText(i)) + 24 > box->width())
                        faults << QStringLiteral("%1 cut: \"%2\"").arg(name, box->itemText(i));
            // A label set inside a memo keeps clear of the memo's own lines.
            if (QWidget* memo = widget->parentWidget(); memo->property("Lines").isValid()) {
                for (const QString& line : memo->property("Lines").toStringList())
                    if (QFontMetrics(memo->font()).horizontalAdvance(line) > widget->x())
                        faults << QStringLiteral("%1 covers the end of \"%2\"").arg(name, line);
            } else if (wraps) {
                const QRect needed = metrics.boundingRect(QRect(0, 0, widget->width(), 10000), Qt::TextWordWrap,
                                                          shownTexts(widget).join(QLatin1Char('\n')));
                if (needed.height() > widget->height())
                    faults << QStringLiteral("%1 cut: wrapped text needs %2 px of %3")
                                  .arg(name)
                                  .arg(needed.height())
                                  .arg(widget->height());
            }
            if (QWidget* parent = widget->parentWidget(); !parent->rect().contains(widget->geometry()))
                faults << QStringLiteral("%1 runs out of %2: %3,%4 %5x%6 in %7x%8")
                              .arg(name, parent->objectName())
                              .arg(widget->x())
                              .arg(widget->y())
                              .arg(widget->width())
                              .arg(widget->height())
                              .arg(parent->width())
                              .arg(parent->height());
            for (QWidget* other : widgets)
                if (other != widget && other->parentWidget() == widget->parentWidget() && other < widget &&
                    widget->geometry().intersects(other->geometry()))
                    faults << QStringLiteral("%1 overlaps %2").arg(name, other->objectName());
        }
    });
    const QTabBar* tabs = form_->PageControl->tabBar();
    if (tabs->sizeHint().width() > form_->PageControl->width())
        faults << QStringLiteral("the tabs need %1 px of %2")
                      .arg(tabs->sizeHint().width())
                      .arg(form_->PageControl->width());
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}

class WindowLanguage : public MainWindowTest
{
protected:
    void TearDown() override
    {
        MainWindowTest::TearDown();
        SetNoteNamingOption(0);
        InstallTranslation(QStringLiteral("en"));
    }
};

// The note names follow the language shown, and the player's choice overrides them at once.
TEST_F(WindowLanguage, NamesLevelsInTheLanguageAndTheNoteNamesChosen)
{
    ASSERT_EQ(InstallTranslation(QStringLiteral("de_AT")), QStringLiteral("de"));
    Open();
    EXPECT_EQ(form_->cbLevel->itemText(3), QStringLiteral("Stufe 4: B-Dur"));
    EXPECT_EQ(form_->bReset->property("Caption").toString(), QStringLiteral("Zur\u00FCcksetzen"));
    form_->OptionsPage().SetOption(lirasto::settings::TOption::NoteNames, 3);
    EXPECT_EQ(form_->cbLevel->itemText(3), QStringLiteral("Stufe 4: Si\u266D-Dur"));
    form_->OptionsPage().SetOption(lirasto::settings::TOption::NoteNames, 1);
    EXPECT_EQ(form_->cbLevel->itemText(3), QStringLiteral("Stufe 4: Bb-Dur"));
}

// Fixed do is spelled as the language's musicians write it.
TEST_F(WindowLanguage, SpellsTheSyllablesOfFixedDoInTheLanguage)
{
    SetNoteNamingOption(0);
    ASSERT_EQ(InstallTranslation(QStringLiteral("fr")), QStringLiteral("fr"));
    EXPECT_EQ(LevelName(5), QStringLiteral("Niveau 5 : R\u00E9 majeur"));
    ASSERT_EQ(InstallTranslation(QStringLiteral("ru")), QStringLiteral("ru"));
    EXPECT_EQ(LevelName(4), QStringLiteral("\u0423\u0440\u043E\u0432\u0435\u043D\u044C 4: \u0421\u0438\u266D "
                                           "\u043C\u0430\u0436\u043E\u0440"));
    ASSERT_EQ(InstallTranslation(QStringLiteral("it")), QStringLiteral("it"));
    EXPECT_EQ(LevelName(5), QStringLiteral("Livello 5: Re maggiore"));
}

// The language comes from LIRASTO_LANGUAGE, else the Options page's choice, else the system.
TEST(LanguageChoice, FollowsTheEnvironmentThenTheChoice)
{
    const QByteArray saved = qgetenv("LIRASTO_LANGUAGE");
    qunsetenv("LIRASTO_LANGUAGE");
    EXPECT_EQ(ChosenLanguage(2), QStringLiteral("de"));
    EXPECT_EQ(ChosenLanguage(6), QStringLiteral("pt_BR"));
    qputenv("LIRASTO_LANGUAGE", "ru");
    EXPECT_EQ(ChosenLanguage(2), QStringLiteral("ru"));
    qputenv("LIRASTO_LANGUAGE", saved);
    // A language we do not have shows English; Portuguese of Portugal the Brazilian translation.
    EXPECT_EQ(InstallTranslation(QStringLiteral("ja_JP")), QStringLiteral("en"));
    EXPECT_EQ(InstallTranslation(QStringLiteral("pt_PT")), QStringLiteral("pt_BR"));
    InstallTranslation(QStringLiteral("en"));
}
