#include "app/window/FormLoader.h"

#include "app/window/Application.h"
#include "app/window/DetailPictures.h"
#include "app/window/Forms.h"
#include "app/window/uMain.h"
#include "controls/SkinCheckBox.h"
#include "controls/SkinCtrls.h"
#include "core/Errors.h"
#include "graphics/Bitmap32.h"
#include "graphics/Image32.h"
#include "resources/DesignStream.h"
#include "resources/DesignTexts.h"
#include "resources/DetailArtwork.h"

#include <QAbstractButton>
#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QMetaProperty>
#include <QPixmap>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <map>
#include <optional>

using lirasto::DesignComponent;
using lirasto::DesignProperty;
using lirasto::DesignValue;
using lirasto::DesignValueKind;
using lirasto::EReadError;
using lirasto::IsTranslatedProperty;
using lirasto::IsWordedText;
using lirasto::kDesignTextContext;

namespace {

std::string describe(const QObject* object)
{
    return object->objectName().toStdString() + " (" + object->metaObject()->className() + ")";
}

[[noreturn]] void fail(const std::string& message)
{
    throw EReadError(message);
}

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

// A design text the player reads, in the language shown; the design's English is the source text.
QString shownText(const std::string& s)
{
    if (!IsWordedText(s))
        return text(s);
    return QCoreApplication::translate(kDesignTextContext, s.c_str());
}

// How one component class is created: visual ones inside their parent widget,
// the non-visual ones (lists, picture store, timer) owned by the window.
using Factory = std::function<QObject*(TfMain* form, QWidget* parent)>;

const std::map<std::string, Factory>& classRegistry()
{
    static const std::map<std::string, Factory> registry = {
        {"TPageControl", [](TfMain*, QWidget* parent) { return new TPageControl(parent); }},
        {"TTabSheet", [](TfMain*, QWidget*) { return new TTabSheet(nullptr); }},
        {"TSkinPanel", [](TfMain*, QWidget* parent) { return new TSkinPanel(parent); }},
        {"TSkinLabel", [](TfMain*, QWidget* parent) { return new TSkinLabel(parent); }},
        {"TSkinBtn", [](TfMain*, QWidget* parent) { return new TSkinBtn(parent); }},
        {"TSkinComboBox", [](TfMain*, QWidget* parent) { return new TSkinComboBox(parent); }},
        {"TSkinGroupBox", [](TfMain*, QWidget* parent) { return new TSkinGroupBox(parent); }},
        {"TSkinCheckBox", [](TfMain*, QWidget* parent) { return new TSkinCheckBox(parent); }},
        {"TSkinMemo", [](TfMain*, QWidget* parent) { return new TSkinMemo(parent); }},
        {"TSkinScrollingText", [](TfMain*, QWidget* parent) { return new TSkinScrollingText(parent); }},
        {"TImage32", [](TfMain*, QWidget* parent) { return new TImage32(parent); }},
        {"TSkinImages", [](TfMain* form, QWidget*) { return new TSkinImages(form); }},
        {"TBitmap32List", [](TfMain* form, QWidget*) { return new TBitmap32List(form); }},
        {"TTimer", [](TfMain* form, QWidget*) { return new TTimer(form); }},
    };
    return registry;
}

// Stored properties of the window that have no effect on this platform.
bool isIgnoredFormProperty(const std::string& name)
{
    static const char* const kIgnored[] = {"PixelsPerInch", "TextHeight", "OldCreateOrder", "Position",
                                           "BorderStyle",   "Width",      "Height"};
    return std::any_of(std::begin(kIgnored), std::end(kIgnored), [&](const char* n) { return name == n; });
}

// What a component's properties say about it as a whole, applied once they are all read.
struct Pending
{
    std::optional<int> left, top, width, height, clientWidth, clientHeight, tabOrder;
    std::optional<QFont> font;
    std::optional<QColor> fontColour;
    std::optional<QColor> colour;
    bool alignClient = false;
};

struct Fixup
{
    QObject* target;
    QByteArray property;
    std::string componentName;
};

class FormBuilder
{
public:
    FormBuilder(TfMain* form, DesignBytes bytes) : form_(form), bytes_(bytes) {}

    void Build(const DesignComponent& root)
    {
        if (root.ClassName != "TfMain")
            fail("The window design describes a " + root.ClassName + ", not the main window TfMain");
        form_->setObjectName(text(root.Name));
        names_[root.Name] = form_;
        Pending pending;
        applyProperties(form_, root, pending);
        applyFormPending(pending);
        createChildren(root, form_);
        resolveFixups();
    }

private:
    void createChildren(const DesignComponent& design, QWidget* parentWidget)
    {
        std::vector<std::pair<int, QWidget*>> tabOrder;
        std::vector<QWidget*> labels;
        for (const DesignComponent& child : design.Children) {
            auto it = classRegistry().find(child.ClassName);
            if (it == classRegistry().end())
                fail("Class " + child.ClassName + " not found (component " + child.Name + ")");
            if (names_.count(child.Name))
                fail("A component named " + child.Name + " already exists");
            QObject* object = it->second(form_, parentWidget);
            object->setObjectName(text(child.Name));
            names_[child.Name] = object;

            Pending pending;
            applyProperties(object, child, pending);
            if (auto* page = qobject_cast<TTabSheet*>(object)) {
                auto* pages = qobject_cast<TPageControl*>(parentWidget);
                if (!pages)
                    fail("Tab sheet " + child.Name + " must lie on a page control");
                pages->AddPage(page);
            }
            if (auto* widget = qobject_cast<QWidget*>(object)) {
                applyWidgetPending(widget, parentWidget, pending);
                if (pending.tabOrder)
                    tabOrder.emplace_back(*pending.tabOrder, widget);
                if (qobject_cast<TSkinLabel*>(widget))
                    labels.push_back(widget);
                createChildren(child, widget);
            } else if (!child.Children.empty()) {
                fail("Component " + child.Name + " cannot hold other components");
            }
        }
        // Labels are painted on their parent's surface, beneath every windowed
        // sibling, a later label over an earlier one.
        for (auto it = labels.rbegin(); it != labels.rend(); ++it)
            (*it)->lower();
        std::stable_sort(tabOrder.begin(), tabOrder.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (std::size_t i = 1; i < tabOrder.size(); ++i)
            QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    }

    void applyProperties(QObject* object, const DesignComponent& design, Pending& pending)
    {
        for (const DesignProperty& property : design.Properties)
            applyProperty(object, property, pending);
    }

    void applyProperty(QObject* object, const DesignProperty& property, Pending& pending)
    {
        const std::string& name = property.Name;
        const DesignValue& value = property.Value;
        const bool isForm = object == form_;

        if (name == "Left")
            pending.left = integer(object, property);
        else if (name == "Top")
            pending.top = integer(object, property);
        else if (isForm && (name == "ClientWidth" || name == "ClientHeight"))
            (name == "ClientWidth" ? pending.clientWidth : pending.clientHeight) = integer(object, property);
        else if (isForm && isIgnoredFormProperty(name))
            return;
        else if (isForm && name == "Color")
            pending.colour = colour(object, property);
        else if (name == "Width")
            pending.width = integer(object, property);
        else if (name == "Height")
            pending.height = integer(object, property);
        else if (name == "TabOrder")
            pending.tabOrder = integer(object, property);
        else if (name == "ParentFont" || name == "ParentColor" || name == "Font.Charset" || name == "SelFont.Charset")
            return; // fonts and colours are inherited by Qt's own rules
        else if (name.rfind("Font.", 0) == 0)
            applyFont(object, pending, name.substr(5), property);
        else if (name.rfind("SelFont.", 0) == 0)
            applySelFont(object, name.substr(8), property);
        else if (name == "Caption" && isForm)
            form_->setWindowTitle(shownText(stringValue(object, property)));
        else if (name == "Align")
            applyAlign(object, property, pending);
        else if (name.size() > 2 && name.rfind("On", 0) == 0 && value.Kind == DesignValueKind::Identifier)
            bindEvent(object, name, value.Text);
        else if (name == "Bitmap.Data")
            loadViewBitmap(object, property);
        else if (name == "Icon.Data" && isForm)
            loadIcon(property);
        else if (name == "Bitmaps" && value.Kind == DesignValueKind::Collection)
            loadBitmapList(object, property);
        else if (name == "Images" && value.Kind == DesignValueKind::Collection)
            loadPictures(object, property);
        else if (name.size() > 8 && name.compare(name.size() - 8, 8, ".Strings") == 0)
            writeProperty(object, name.substr(0, name.size() - 8),
                          stringList(object, property, IsTranslatedProperty(name)));
        else
            applyGeneric(object, property);
    }

    int integer(QObject* object, const DesignProperty& property)
    {
        if (property.Value.Kind != DesignValueKind::Integer)
            fail("Property " + property.Name + " of " + describe(object) + " must be an integer");
        return static_cast<int>(property.Value.Integer);
    }

    const std::string& stringValue(QObject* object, const DesignProperty& property)
    {
        if (property.Value.Kind != DesignValueKind::String)
            fail("Property " + property.Name + " of " + describe(object) + " must be a string");
        return property.Value.Text;
    }

    QStringList stringList(QObject* object, const DesignProperty& property, bool translated = false)
    {
        if (property.Value.Kind != DesignValueKind::List)
            fail("Property " + property.Name + " of " + describe(object) + " must be a list of strings");
        QStringList lines;
        for (const DesignValue& item : property.Value.List) {
            if (item.Kind != DesignValueKind::String)
                fail("Property " + property.Name + " of " + describe(object) + " must be a list of strings");
            lines << (translated ? shownText(item.Text) : text(item.Text));
        }
        return lines;
    }

    QColor colour(QObject* object, const DesignProperty& property)
    {
        QColor c;
        if (property.Value.Kind != DesignValueKind::Identifier || !DesignColour(text(property.Value.Text), c))
            fail("Property " + property.Name + " of " + describe(object) + " is not a colour");
        return c;
    }

    void applyFont(QObject* object, Pending& pending, const std::string& part, const DesignProperty& property)
    {
        auto* widget = qobject_cast<QWidget*>(object);
        if (!widget)
            fail("Component " + describe(object) + " has no font");
        if (!pending.font)
            pending.font = widget->font();
        QFont& font = *pending.font;
        if (part == "Name") {
            font.setFamily(text(stringValue(object, property)));
        } else if (part == "Height") {
            // A negative height is the character height in pixels, as the design stores it.
            int height = integer(object, property);
            font.setPixelSize(std::max(1, std::abs(height)));
        } else if (part == "Style") {
            if (property.Value.Kind != DesignValueKind::Set)
                fail("Property " + property.Name + " of " + describe(object) + " must be a set");
            font.setBold(false);
            font.setItalic(false);
            font.setUnderline(false);
            font.setStrikeOut(false);
            for (const std::string& style : property.Value.Names) {
                if (style == "fsBold")
                    font.setBold(true);
                else if (style == "fsItalic")
                    font.setItalic(true);
                else if (style == "fsUnderline")
                    font.setUnderline(true);
                else if (style == "fsStrikeOut")
                    font.setStrikeOut(true);
                else
                    fail("Unknown font style " + style + " on " + describe(object));
            }
        } else if (part == "Color") {
            pending.fontColour = colour(object, property);
        } else {
            fail("Property " + property.Name + " does not exist on " + describe(object));
        }
    }

    void applySelFont(QObject* object, const std::string& part, const DesignProperty& property)
    {
        if (part == "Color") {
            writeProperty(object, "SelFontColor", colour(object, property));
            return;
        }
        QFont font = object->property("SelFont").value<QFont>();
        Pending scratch;
        scratch.font = font;
        applyFont(object, scratch, part, property);
        writeProperty(object, "SelFont", *scratch.font);
    }

    void applyAlign(QObject* object, const DesignProperty& property, Pending& pending)
    {
        if (property.Value.Kind != DesignValueKind::Identifier)
            fail("Property Align of " + describe(object) + " must be an identifier");
        pending.alignClient = property.Value.Text == "alClient";
        if (object->metaObject()->indexOfProperty("Align") >= 0)
            writeProperty(object, "Align", text(property.Value.Text));
    }

    void applyGeneric(QObject* object, const DesignProperty& property)
    {
        const QMetaObject* meta = object->metaObject();
        const int index = meta->indexOfProperty(property.Name.c_str());
        if (index < 0)
            fail("Property " + property.Name + " does not exist on " + describe(object));
        const QMetaProperty target = meta->property(index);
        const DesignValue& value = property.Value;
        QVariant variant;
        switch (value.Kind) {
        case DesignValueKind::Integer:
            variant = static_cast<int>(value.Integer);
            if (target.metaType().id() == QMetaType::Double)
                variant = static_cast<double>(value.Integer);
            break;
        case DesignValueKind::Boolean:
            variant = value.Boolean;
            break;
        case DesignValueKind::String:
            variant = IsTranslatedProperty(property.Name) ? shownText(value.Text) : text(value.Text);
            break;
        case DesignValueKind::Identifier:
            if (target.metaType().id() == QMetaType::QColor) {
                variant = colour(object, property);
            } else if (target.metaType().id() == QMetaType::QObjectStar) {
                fixups_.push_back({object, QByteArray(property.Name.c_str()), value.Text});
                return;
            } else {
                variant = text(value.Text);
            }
            break;
        case DesignValueKind::Set: {
            QStringList names;
            for (const std::string& n : value.Names)
                names << text(n);
            variant = names;
            break;
        }
        case DesignValueKind::List:
            variant = stringList(object, property);
            break;
        default:
            fail("Property " + property.Name + " of " + describe(object) + " cannot take that kind of value");
        }
        if (!target.write(object, variant))
            fail("Invalid value for property " + property.Name + " of " + describe(object));
    }

    void writeProperty(QObject* object, const std::string& name, const QVariant& value)
    {
        const int index = object->metaObject()->indexOfProperty(name.c_str());
        if (index < 0)
            fail("Property " + name + " does not exist on " + describe(object));
        if (!object->metaObject()->property(index).write(object, value))
            fail("Invalid value for property " + name + " of " + describe(object));
    }

    void bindEvent(QObject* object, const std::string& event, const std::string& handlerName)
    {
        const QString name = text(handlerName);
        auto notify = [&]() {
            TNotifyEvent handler = form_->NotifyHandler(name);
            if (!handler)
                fail("Handler " + handlerName + " for " + event + " of " + describe(object) + " not found");
            return handler;
        };
        if (object == form_ && event == "OnCreate") {
            form_->OnCreate = notify();
        } else if (object == form_ && event == "OnClose") {
            form_->OnClose = notify();
        } else if (auto* page = qobject_cast<TTabSheet*>(object); page && event == "OnShow") {
            page->OnShow = notify();
        } else if (auto* timer = qobject_cast<TTimer*>(object); timer && event == "OnTimer") {
            timer->OnTimer = notify();
        } else if (auto* button = qobject_cast<QAbstractButton*>(object); button && event == "OnClick") {
            QObject::connect(button, &QAbstractButton::clicked, form_,
                             [handler = notify(), button] { RunGuarded([&] { handler(button); }); });
        } else if (auto* combo = qobject_cast<TSkinComboBox*>(object); combo && event == "OnChange") {
            TNotifyEvent handler = notify();
            combo->OnChange = [handler](QObject* sender) { RunGuarded([&] { handler(sender); }); };
        } else if (auto* view = qobject_cast<TImage32*>(object);
                   view && (event == "OnMouseDown" || event == "OnMouseUp")) {
            TImgMouseEvent handler = form_->MouseHandler(name);
            if (!handler)
                fail("Handler " + handlerName + " for " + event + " of " + describe(object) + " not found");
            auto guarded = [handler](QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y,
                                     TCustomLayer* layer) {
                RunGuarded([&] { handler(sender, button, shift, x, y, layer); });
            };
            (event == "OnMouseDown" ? view->OnMouseDown : view->OnMouseUp) = guarded;
        } else {
            fail("Event " + event + " does not exist on " + describe(object));
        }
    }

    void loadViewBitmap(QObject* object, const DesignProperty& property)
    {
        auto* view = qobject_cast<TImage32*>(object);
        if (!view || property.Value.Kind != DesignValueKind::Binary)
            fail("Property Bitmap.Data does not fit " + describe(object));
        const std::span<const uint8_t> data = property.Value.Binary();
        view->Bitmap()->ReadData(data.data(), data.size());
    }

    void loadIcon(const DesignProperty& property)
    {
        if (property.Value.Kind != DesignValueKind::Binary)
            fail("Property Icon.Data of the window must be binary data");
        const QImage icon = IconImage(property.Value.Binary());
        if (!icon.isNull())
            form_->setWindowIcon(QIcon(QPixmap::fromImage(icon)));
    }

    void loadBitmapList(QObject* object, const DesignProperty& property)
    {
        auto* list = qobject_cast<TBitmap32List*>(object);
        if (!list)
            fail("Property Bitmaps does not exist on " + describe(object));
        for (const auto& item : property.Value.Items) {
            const DesignProperty* data = nullptr;
            for (const DesignProperty& itemProperty : item) {
                if (itemProperty.Name != "Bitmap.Data" || itemProperty.Value.Kind != DesignValueKind::Binary)
                    fail("Property " + itemProperty.Name + " does not exist on a bitmap list item of " +
                         describe(object));
                data = &itemProperty;
            }
            const std::span<const uint8_t> record = data ? data->Value.Binary() : std::span<const uint8_t>();
            // Only bytes that lie in the design itself outlive the tree being built.
            if (data && bytes_ == DesignBytes::Permanent && data->Value.View.data())
                list->AddRecord(record);
            else if (TBitmap32* bitmap = list->Add(); data)
                bitmap->ReadData(record.data(), record.size());
        }
    }

    void loadPictures(QObject* object, const DesignProperty& property)
    {
        auto* store = qobject_cast<TSkinImages*>(object);
        if (!store)
            fail("Property Images does not exist on " + describe(object));
        for (const auto& item : property.Value.Items) {
            for (const DesignProperty& itemProperty : item) {
                if (itemProperty.Name != "Picture.Data" || itemProperty.Value.Kind != DesignValueKind::Binary)
                    fail("Property " + itemProperty.Name + " does not exist on a picture of " + describe(object));
                store->AddPictureData(itemProperty.Value.Binary());
            }
        }
    }

    void applyFormPending(const Pending& pending)
    {
        if (pending.font)
            form_->setFont(*pending.font);
        if (pending.fontColour)
            setTextColour(form_, *pending.fontColour);
        if (pending.colour) {
            QPalette palette = form_->palette();
            palette.setColor(QPalette::Window, *pending.colour);
            palette.setColor(QPalette::Button, *pending.colour);
            form_->setPalette(palette);
        }
        // A fixed frame: the client area has the design's size and cannot be resized or maximised.
        form_->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                              Qt::MSWindowsFixedSizeDialogHint);
        form_->setFixedSize(pending.clientWidth.value_or(792), pending.clientHeight.value_or(566));
        form_->move(pending.left.value_or(0), pending.top.value_or(0));
    }

    void applyWidgetPending(QWidget* widget, QWidget* parentWidget, const Pending& pending)
    {
        if (pending.font)
            widget->setFont(*pending.font);
        if (pending.fontColour)
            setTextColour(widget, *pending.fontColour);
        if (pending.alignClient) {
            // Filling the parent follows the parent's size for as long as both live.
            QLayout* layout = parentWidget->layout();
            if (!layout) {
                layout = new QVBoxLayout(parentWidget);
                layout->setContentsMargins(0, 0, 0, 0);
                layout->setSpacing(0);
            }
            layout->addWidget(widget);
            return;
        }
        if (qobject_cast<TTabSheet*>(widget))
            return; // the page control places its pages
        const QRect current = widget->geometry();
        widget->setGeometry(pending.left.value_or(current.left()), pending.top.value_or(current.top()),
                            pending.width.value_or(current.width()), pending.height.value_or(current.height()));
    }

    static void setTextColour(QWidget* widget, const QColor& colour)
    {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::WindowText, colour);
        palette.setColor(QPalette::Text, colour);
        palette.setColor(QPalette::ButtonText, colour);
        widget->setPalette(palette);
    }

    void resolveFixups()
    {
        for (const Fixup& fixup : fixups_) {
            auto it = names_.find(fixup.componentName);
            if (it == names_.end())
                fail("Component " + fixup.componentName + " named by " + fixup.property.toStdString() + " of " +
                     describe(fixup.target) + " does not exist");
            if (!fixup.target->setProperty(fixup.property.constData(), QVariant::fromValue(it->second)))
                fail("Invalid value for property " + fixup.property.toStdString() + " of " + describe(fixup.target));
        }
    }

    TfMain* form_;
    DesignBytes bytes_;
    std::map<std::string, QObject*> names_;
    std::vector<Fixup> fixups_;
};

} // namespace

namespace {

uint32_t readLittleEndian(std::span<const uint8_t> bytes, std::size_t offset, int size)
{
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | bytes[offset + static_cast<std::size_t>(i)];
    return value;
}

} // namespace

QImage IconImage(std::span<const uint8_t> bytes)
{
    // The program's own icon is a single 24-bit picture with a transparency mask. Reading that directly
    // spares loading an image plugin at start-up, and keeps the mask, which Qt's icon reader drops (the
    // icon would show on a black square). Any other kind of icon goes to Qt's reader.
    constexpr std::size_t kDirectory = 6, kEntry = 16, kInfoHeader = 40;
    if (bytes.size() < kDirectory + kEntry)
        return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "ICO");
    const std::size_t offset = readLittleEndian(bytes, kDirectory + 12, 4);
    if (offset > bytes.size() || bytes.size() - offset < kInfoHeader)
        return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "ICO");
    const uint32_t headerSize = readLittleEndian(bytes, offset, 4);
    const int width = static_cast<int>(readLittleEndian(bytes, offset + 4, 4));
    const uint32_t doubleHeight = readLittleEndian(bytes, offset + 8, 4);
    const int height = static_cast<int>(doubleHeight / 2);
    const int bitCount = static_cast<int>(readLittleEndian(bytes, offset + 14, 2));
    const uint32_t compression = readLittleEndian(bytes, offset + 16, 4);
    const bool plain = readLittleEndian(bytes, 0, 2) == 0 && readLittleEndian(bytes, 2, 2) == 1 &&
                       readLittleEndian(bytes, 4, 2) >= 1 && headerSize == kInfoHeader && bitCount == 24 &&
                       compression == 0 && width > 0 && width <= 256 && height > 0 && height <= 256 &&
                       doubleHeight % 2 == 0;
    if (!plain)
        return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "ICO");
    const std::size_t rows = static_cast<std::size_t>(height);
    const std::size_t colourStride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    const std::size_t maskStride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
    const std::size_t colourStart = offset + kInfoHeader;
    const std::size_t maskStart = colourStart + colourStride * rows;
    if (maskStart > bytes.size() || bytes.size() - maskStart < maskStride * rows)
        return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "ICO");
    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull())
        return image;
    // Rows are stored bottom-up, colours as B, G, R; a set mask bit is a transparent pixel.
    for (int y = 0; y < height; ++y) {
        const std::size_t stored = rows - 1 - static_cast<std::size_t>(y);
        const uint8_t* colourRow = bytes.data() + colourStart + colourStride * stored;
        const uint8_t* maskRow = bytes.data() + maskStart + maskStride * stored;
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const uint8_t* bgr = colourRow + 3 * x;
            row[x] = (maskRow[x / 8] & (0x80 >> (x % 8))) ? 0 : qRgb(bgr[2], bgr[1], bgr[0]);
        }
    }
    return image;
}

bool DesignColour(const QString& name, QColor& colour)
{
    // The standard system colours of the desktop the design was made on.
    static const std::map<QString, QColor> kColours = {
        {QStringLiteral("clBlack"), QColor(0, 0, 0)},
        {QStringLiteral("clWhite"), QColor(255, 255, 255)},
        {QStringLiteral("clRed"), QColor(255, 0, 0)},
        {QStringLiteral("clGreen"), QColor(0, 128, 0)},
        {QStringLiteral("clBlue"), QColor(0, 0, 255)},
        {QStringLiteral("clNavy"), QColor(0, 0, 128)},
        {QStringLiteral("clGray"), QColor(128, 128, 128)},
        {QStringLiteral("clSilver"), QColor(192, 192, 192)},
        {QStringLiteral("clBtnFace"), QColor(212, 208, 200)},
        {QStringLiteral("clBtnHighlight"), QColor(255, 255, 255)},
        {QStringLiteral("clBtnShadow"), QColor(128, 128, 128)},
        {QStringLiteral("clBtnText"), QColor(0, 0, 0)},
        {QStringLiteral("clWindow"), QColor(255, 255, 255)},
        {QStringLiteral("clWindowText"), QColor(0, 0, 0)},
        {QStringLiteral("clWindowFrame"), QColor(0, 0, 0)},
        {QStringLiteral("clHighlight"), QColor(10, 36, 106)},
        {QStringLiteral("clHighlightText"), QColor(255, 255, 255)},
    };
    auto it = kColours.find(name);
    if (it == kColours.end())
        return false;
    colour = it->second;
    return true;
}

namespace {

TfMain* buildMainForm(const DesignComponent& design, DesignBytes bytes)
{
    auto form = std::make_unique<TfMain>();
    FormBuilder(form.get(), bytes).Build(design);
    form->BindComponents();
    // Before the window's creation handler copies pictures into layers, which share the detail.
    AttachDetailPictures(form->Pictures(), [](std::string_view name) { return lirasto::DetailArtwork(name); });
    if (form->OnCreate)
        RunGuarded([&] { form->OnCreate(form.get()); });
    return form.release();
}

} // namespace

TfMain* CreateMainForm(const DesignComponent& design)
{
    return buildMainForm(design, DesignBytes::Transient);
}

TfMain* CreateMainForm(std::span<const uint8_t> stream, DesignBytes bytes)
{
    // The tree lives only while the window is built; what the window keeps of its pictures is
    // copied, or (from a permanent design) a view of the stream itself. Either way the tree may
    // view the stream's bytes instead of copying them.
    return buildMainForm(lirasto::ReadDesignStream(stream, lirasto::DesignBinaries::Viewed), bytes);
}
