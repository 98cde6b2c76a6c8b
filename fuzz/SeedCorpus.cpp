// Writes the seed corpus of a fuzz target into a folder: chromatogram files made by
// CVantrelFile4::save (for the document target, their XML text alone), or limits files.
//   vexol_fuzz_seeds chromatogram_parse|chromatogram_document|repeatability_limits <folder>
#include "input/CVantrelFile4.h"
#include "platform/Text.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

Peak peak(double time, double area, const char16_t* name)
{
    Peak p;
    p.time = time;
    p.front = time - 0.05;
    p.back = time + 0.05;
    p.area = area;
    p.height = area / 10;
    p.name = name;
    p.reference = time > 3;
    p.left = 10;
    p.right = 20;
    p.flags = 3;
    return p;
}

std::vector<CVantrelFile4> seedFiles()
{
    std::vector<CVantrelFile4> files(3);
    // An empty object: no channels, the default passport.
    // Two channels with peaks, a column and parameters.
    CVantrelFile4& rich = files[1];
    rich.passport.assayid = u"6f1c2a9e-0d4b-4c1e-9a57-3b2e8f0c1d22";
    rich.passport.sample = u"Водка";
    rich.passport.graduation = true;
    rich.passport.date = 1700000000;
    rich.passport.columns.push_back({});
    rich.passport.columns[0].name = u"FFAP";
    rich.passport.parameters.push_back({u"volume", u"Объём", u"2.5"});
    for (int number : {1, 2}) {
        Channel channel;
        channel.number = number;
        channel.signal.samples = {1, 2, 3, 0xFFFFFFFFu};
        channel.signal.valueA = 0.5;
        channel.peaks = {peak(1.5, 100, u"метанол"), peak(3.25, 0.1, u"")};
        rich.channels.push_back(std::move(channel));
    }
    // Version 0, a channel without samples and one repeated.
    CVantrelFile4& odd = files[2];
    odd.formatVersion = 0;
    odd.channels.resize(3);
    odd.channels[0].number = 7;
    odd.channels[1].number = 7;
    odd.channels[2].number = 255;
    odd.channels[2].peaks = {peak(0, 0, u"x")};
    return files;
}

// Limits files of dvinar-batch: a header, quoted names, a decimal comma, a fault.
int writeLimitsSeeds(const std::string& folder)
{
    const char* const seeds[] = {
        "name,percent\r\nМетанол,5\r\n\"Изо,бутанол \"\"ч\"\"\",\"2,5\"\r\n",
        "\xEF\xBB\xBF\xD0\xAD\xD1\x82\xD0\xB0\xD0\xBD\xD0\xBE\xD0\xBB, 10 \n\n  \"a\" , .5\n",
        "A,5\na,6\n",
    };
    for (std::size_t i = 0; i < std::size(seeds); ++i) {
        std::ofstream out(folder + "/limits" + std::to_string(i), std::ios::binary);
        out << seeds[i];
        if (!out) {
            std::fprintf(stderr, "vexol_fuzz_seeds: cannot write into %s\n", folder.c_str());
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: vexol_fuzz_seeds chromatogram_parse|chromatogram_document|repeatability_limits <folder>\n");
        return 2;
    }
    const std::string target = argv[1];
    const std::string folder = argv[2];
    if (target == "repeatability_limits")
        return writeLimitsSeeds(folder);
    const bool documentOnly = target == "chromatogram_document";
    std::vector<CVantrelFile4> files = seedFiles();
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::string path = folder + "/seed" + std::to_string(i);
        if (files[i].save(platform::utf8ToUtf16(path)) != 0) {
            std::fprintf(stderr, "vexol_fuzz_seeds: cannot write %s\n", path.c_str());
            return 1;
        }
        if (documentOnly) {
            std::ifstream in(path, std::ios::binary);
            std::string image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            std::size_t xml = image.find("<?xml");
            std::ofstream(path, std::ios::binary | std::ios::trunc) << image.substr(xml == std::string::npos ? 0 : xml);
        }
    }
    return 0;
}
