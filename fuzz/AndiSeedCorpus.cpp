// Writes the seed corpus of the ANDI reader's fuzz target into a folder: a small chromatography file
// made with libnetcdf, and the real vendor exports when their folder is there (they are copied
// into the build's corpus at run time, never into the source tree).
//   vexol_andi_fuzz_seeds <folder> [<folder of real exports>]
#include <netcdf.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

bool writeSmallFile(const std::string& path)
{
    int file = -1;
    if (nc_create(path.c_str(), NC_CLOBBER, &file) != NC_NOERR)
        return false;
    const char unit[] = "Minutes";
    const char stamp[] = "20240312083000+0000";
    nc_put_att_text(file, NC_GLOBAL, "aia_template_revision", 3, "1.0");
    nc_put_att_text(file, NC_GLOBAL, "retention_unit", sizeof unit - 1, unit);
    nc_put_att_text(file, NC_GLOBAL, "injection_date_time_stamp", sizeof stamp - 1, stamp);
    int points = -1, peaks = -1, width = -1;
    nc_def_dim(file, "point_number", 64, &points);
    nc_def_dim(file, "peak_number", 2, &peaks);
    nc_def_dim(file, "_12_byte_string", 12, &width);
    int ordinate = -1, interval = -1, times = -1, areas = -1, amounts = -1, names = -1;
    nc_def_var(file, "ordinate_values", NC_FLOAT, 1, &points, &ordinate);
    nc_def_var(file, "actual_sampling_interval", NC_FLOAT, 0, nullptr, &interval);
    nc_def_var(file, "peak_retention_time", NC_FLOAT, 1, &peaks, &times);
    nc_def_var(file, "peak_area", NC_FLOAT, 1, &peaks, &areas);
    nc_def_var(file, "peak_amount", NC_FLOAT, 1, &peaks, &amounts);
    int nameDims[2] = {peaks, width};
    nc_def_var(file, "peak_name", NC_CHAR, 2, nameDims, &names);
    nc_enddef(file);
    float signal[64];
    for (int i = 0; i < 64; ++i)
        signal[i] = static_cast<float>(i > 20 && i < 30 ? 100 - (i - 25) * (i - 25) * 4 : 1);
    const float step = 0.01f, t[2] = {0.25f, 0.5f}, a[2] = {120.f, 80.f}, m[2] = {1.5f, -9999.f};
    const char text[24] = {'M', 'e', 't', 'h', 'a', 'n', 'o', 'l', 0, 0, 0, 0, 'E', 't', 'h', 'a', 'n', 'o', 'l', ' ', ' ', ' ', ' ', ' '};
    nc_put_var_float(file, ordinate, signal);
    nc_put_var_float(file, interval, &step);
    nc_put_var_float(file, times, t);
    nc_put_var_float(file, areas, a);
    nc_put_var_float(file, amounts, m);
    nc_put_var_text(file, names, text);
    return nc_close(file) == NC_NOERR;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: vexol_andi_fuzz_seeds <folder> [<folder of real exports>]\n");
        return 2;
    }
    const std::string folder = argv[1];
    if (!writeSmallFile(folder + "/small.cdf")) {
        std::fprintf(stderr, "vexol_andi_fuzz_seeds: cannot write %s/small.cdf\n", folder.c_str());
        return 1;
    }
    if (argc == 3 && fs::is_directory(argv[2])) {
        std::error_code ignored;
        for (const auto& entry : fs::directory_iterator(argv[2]))
            if (entry.is_regular_file() && entry.path().extension() != ".md")
                fs::copy_file(entry.path(), fs::path(folder) / entry.path().filename(), fs::copy_options::overwrite_existing, ignored);
    }
    return 0;
}
