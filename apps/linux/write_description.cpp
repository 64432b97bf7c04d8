// quorvane-description FILE: writes the module's XScreenSaver description, quorvane.xml, from the
// settings table; run by the build, so the installed file always offers every setting.

#include <cstdio>
#include <string>

#include "x11/xscreensaver_description.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: quorvane-description FILE\n", stderr);
        return 2;
    }
    const std::string xml = XScreenSaverDescription(SettingRows());
    std::FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    const bool written = std::fwrite(xml.data(), 1, xml.size(), file) == xml.size();
    if (std::fclose(file) != 0 || !written) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
