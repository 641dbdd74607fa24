// Where the program's start-up time goes, phase by phase, measured inside a
// copy of its start: the GUI application, the font system, reading the design
// stream, building the window from it, and painting the first frame. Beside
// each phase's time it prints the memory the phase brought in (anonymous and
// file-backed, from the process's status): on a virtual machine every page
// touched for the first time costs several microseconds, so pages are often
// the larger part of a phase's time.
//
//   startup_phases [RUNS]
// Each run is a fresh process (the program starts once per process); run it a
// few times and read the medians.
#include "app/window/Application.h"
#include "app/window/FormLoader.h"
#include "app/window/uMain.h"
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

// Anonymous and file-backed resident kB, read from /proc/self/status.
std::pair<long, long> resident()
{
    std::FILE* f = std::fopen("/proc/self/status", "r");
    long anon = 0, file = 0;
    char line[256];
    while (f && std::fgets(line, sizeof line, f)) {
        std::sscanf(line, "RssAnon: %ld", &anon);
        std::sscanf(line, "RssFile: %ld", &file);
    }
    if (f)
        std::fclose(f);
    return {anon, file};
}

std::pair<long, long> residentMark;

void printResident(const char* phase)
{
    const auto now = resident();
    std::fprintf(stderr, "  %-12s anon %+6ld kB  file %+6ld kB\n", phase, now.first - residentMark.first,
                 now.second - residentMark.second);
    residentMark = now;
}

} // namespace

int main(int argc, char** argv)
{
    residentMark = resident();
    auto mark = Clock::now();
    TFontConfigWarmUp fontConfig;
    TApplication application(argc, argv);
    fontConfig.Wait();
    const double app = msSince(mark);
    printResident("application");
    InstallFontSubstitutions();
    // The first text measurement brings up the font system, as the first label of the window does.
    QFontMetrics(QApplication::font()).horizontalAdvance(QStringLiteral("Lirasto"));
    const double fonts = msSince(mark);
    printResident("fonts");
    const std::span<const uint8_t> stream = embeddedDesignStream();
    // Read as the program reads it: pictures viewed in place.
    const lirasto::DesignComponent design = lirasto::ReadDesignStream(stream, lirasto::DesignBinaries::Viewed);
    const double parse = msSince(mark);
    printResident("stream");
    // Once more, with the stream's pages and the allocator already warm: the parse alone.
    lirasto::ReadDesignStream(stream, lirasto::DesignBinaries::Viewed);
    const double reparse = msSince(mark);
    // The two pictures that are decoded rather than copied: the icon and the wallpaper JPEG (which the
    // program decodes on a worker while it builds the window).
    double icon = 0, wallpaper = 0;
    if (const lirasto::DesignProperty* data = design.Property("Icon.Data")) {
        IconImage(data->Value.Binary());
        icon = msSince(mark);
    }
    if (const lirasto::DesignComponent* images = design.Find("SkinImages"))
        if (const lirasto::DesignProperty* list = images->Property("Images"); list && !list->Value.Items.empty())
            for (const lirasto::DesignProperty& item : list->Value.Items.front())
                if (const std::span<const uint8_t> blob = item.Value.Binary();
                    item.Name == "Picture.Data" && blob.size() > 16) {
                    // Short string "TJPEGImage", then the byte count, then the file.
                    lirasto::skin::DecodeJpeg(blob.subspan(1 + blob[0] + 4));
                    wallpaper = msSince(mark);
                    printResident("wallpaper");
                }
    // Built as the program builds it: from the stream (read once more), lending its pictures.
    std::unique_ptr<TfMain> form(CreateMainForm(stream, DesignBytes::Permanent));
    const double build = msSince(mark);
    printResident("window");
    form->show();
    const QPixmap frame = form->grab();
    const double paint = msSince(mark);
    printResident("first paint");
    std::printf("app %.1f  fonts %.1f  stream %.1f (%zu bytes; again %.1f)  icon %.1f  wallpaper %.1f  window %.1f  "
                "first paint %.1f  ms\n",
                app, fonts, parse, stream.size(), reparse, icon, wallpaper, build, paint);
    return frame.isNull() ? 1 : 0;
}
