// The page's paint, run natively: what the web build must draw for the same
// instant, place, width and text metric (the fixed-advance one). Writes the
// page's answer (JSON) and the composed picture before any text (RGBA).
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include <dirent.h>

#include "engine/instant.h"
#include "platform/clock.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "platform/registry.h"
#include "resources/png_file.h"
#include "today/web/page.h"

using namespace velkaro;

namespace {

const char kUsage[] =
    "usage: velkaro-pageshot --now 2026-12-08T09:30:00Z --width W --screen WxH --pictures DIR\n"
    "                        --library Sitarel.ini [--zone ZONE --jan MIN --jul MIN\n"
    "                        [--name NAME --lat D --lng D --height M]] [--bodies DIGITS]\n"
    "                        [--date YYYY-MM-DD]\n"
    "                        --json OUT --rgba OUT\n"
    "The place goes into slot 0 as the page's place panel puts it: the library place of\n"
    "the zone, or the named place with the zone's offset and rule. --bodies sets the first\n"
    "body list as the settings panel does; --date shows that day as the page's date field does.\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "velkaro-pageshot: %s\n%s", message.c_str(), kUsage);
    return 2;
}

void RegisterPictures(const std::string& dir) {
    DIR* d = opendir(dir.c_str());
    if (!d) return;
    while (dirent* e = readdir(d)) {
        const std::string name = e->d_name;
        if (name.size() < 5) continue;
        pictures::Raster r;
        if (!pictures::ReadPngFile(dir + "/" + name, &r)) continue;
        DecodedPicture p;
        p.Width = r.width;
        p.Height = r.height;
        p.Pixels = r.pixels;
        RegisterNativePicture(L"\\Program Files\\Velkaro\\" + FromUtf8(name), p);
    }
    closedir(d);
}

}  // namespace

int main(int argc, char** argv) {
    std::map<std::string, std::string> o;
    for (int i = 1; i + 1 < argc; i += 2) o[argv[i]] = argv[i + 1];
    if (argc % 2 == 0) return Fail("every option takes a value");
    for (const char* k : {"--now", "--width", "--screen", "--pictures", "--library", "--json", "--rgba"})
        if (!o.count(k)) return Fail(std::string("missing ") + k);
    SYSTEMTIME now;
    if (!ParseUtcInstant(o["--now"], &now)) return Fail("--now is not a UTC instant");
    int screenW = 0, screenH = 0;
    if (std::sscanf(o["--screen"].c_str(), "%dx%d", &screenW, &screenH) != 2) return Fail("--screen is not WxH");
    const int width = std::atoi(o["--width"].c_str());

    SetNativeClock(now, now, 0);
    RegClearAll();
    RegisterPictures(o["--pictures"]);
    Page page;
    std::string bytes;
    if (!ReadFileBytes(FromUtf8(o["--library"]), &bytes)) return Fail("cannot read the library");
    LoadLibrary(&page, bytes);
    StartPage(&page, screenW, screenH, width);
    if (o.count("--zone")) {
        const int zone = MatchZone(page, o["--zone"], std::atoi(o["--jan"].c_str()), std::atoi(o["--jul"].c_str()));
        const bool named = o.count("--name") > 0;
        if (!PutPlace(&page, 0, zone, named ? o["--name"] : "", named ? std::atof(o["--lat"].c_str()) : 0,
                      named ? std::atof(o["--lng"].c_str()) : 0, named ? std::atoi(o["--height"].c_str()) : 0))
            return Fail("the place cannot be put into slot 0");
    }
    if (o.count("--bodies") && !SetSetting(&page, "SortP0", o["--bodies"])) return Fail("bad --bodies");
    if (o.count("--date")) ChooseDate(&page, o["--date"]);
    const std::string json = PaintPage(&page, width);
    const std::string rgba(page.Rgba.begin(), page.Rgba.end());
    if (!ReplaceFileBytes(FromUtf8(o["--json"]), json + "\n", nullptr) ||
        !ReplaceFileBytes(FromUtf8(o["--rgba"]), rgba, nullptr))
        return Fail("cannot write the output");
    return 0;
}
