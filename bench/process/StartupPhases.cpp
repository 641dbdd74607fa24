// Where the program's start-up time goes, phase by phase, measured inside a
// copy of its start: the GUI application, the font system, reading the design
// stream, building the window from it, and painting the first frame.
//
//   startup_phases [RUNS]
// Each run is a fresh process (the program starts once per process); run it a
// few times and read the medians.
#include "app/Application.h"
#include "app/FormLoader.h"
#include "app/uMain.h"
#include "controls/SkinUtils.h"
#include "resources/DesignStream.h"
#include "resources/EmbeddedDesign.h"

#include <QFontMetrics>
#include <QImage>
#include <QPixmap>

#include <chrono>
#include <cstdio>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point& mark)
{
    const auto now = Clock::now();
    const double ms = std::chrono::duration<double, std::milli>(now - mark).count();
    mark = now;
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    auto mark = Clock::now();
    TApplication application(argc, argv);
    const double app = msSince(mark);
    InstallFontSubstitutions();
    // The first text measurement brings up the font system, as the first label of the window does.
    QFontMetrics(QFont(QStringLiteral("MS Sans Serif"))).horizontalAdvance(QStringLiteral("Lirasto"));
    const double fonts = msSince(mark);
    const std::span<const uint8_t> stream = embeddedDesignStream();
    // Read as the program reads it: pictures viewed in place.
    const lirasto::DesignComponent design = lirasto::readDesignStream(stream, lirasto::DesignBinaries::Viewed);
    const double parse = msSince(mark);
    // Once more, with the stream's pages and the allocator already warm: the parse alone.
    lirasto::readDesignStream(stream, lirasto::DesignBinaries::Viewed);
    const double reparse = msSince(mark);
    // The two pictures that are decoded rather than copied: the icon and the wallpaper JPEG (which the
    // program decodes on a worker while it builds the window).
    double icon = 0, wallpaper = 0;
    if (const lirasto::DesignProperty* data = design.property("Icon.Data")) {
        IconImage(data->value.binary());
        icon = msSince(mark);
    }
    if (const lirasto::DesignComponent* images = design.find("SkinImages"))
        if (const lirasto::DesignProperty* list = images->property("Images"); list && !list->value.items.empty())
            for (const lirasto::DesignProperty& item : list->value.items.front())
                if (const std::span<const uint8_t> blob = item.value.binary();
                    item.name == "Picture.Data" && blob.size() > 16) {
                    // Short string "TJPEGImage", then the byte count, then the file.
                    lirasto::skin::decodeJpeg(blob.subspan(1 + blob[0] + 4));
                    wallpaper = msSince(mark);
                }
    std::unique_ptr<TfMain> form(CreateMainForm(design));
    const double build = msSince(mark);
    form->show();
    const QPixmap frame = form->grab();
    const double paint = msSince(mark);
    std::printf("app %.1f  fonts %.1f  stream %.1f (%zu bytes; again %.1f)  icon %.1f  wallpaper %.1f  window %.1f  "
                "first paint %.1f  ms\n",
                app, fonts, parse, stream.size(), reparse, icon, wallpaper, build, paint);
    return frame.isNull() ? 1 : 0;
}
