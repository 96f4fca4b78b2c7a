#pragma once
// Writes a synthetic PDS volume folder: labels named IMG00001.LBL ... with
// about forty CR LF statements before their first OBJECT line, each with a
// small data file beside it. Used by make_volume and the label benchmarks.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace bench {

inline std::string LabelText(int index, const std::string& dataName)
{
    static const char* const kObjects[] = {"IMAGE", "TABLE", "TIME_SERIES", "SPECTRUM"};
    const std::string object = kObjects[index % 4];
    const std::string n = std::to_string(index);
    std::string text;
    const auto line = [&text](const std::string& statement) { text += statement + "\r\n"; };
    line("PDS_VERSION_ID                = PDS3");
    line("");
    line("/* FILE FORMAT AND LENGTH */");
    line("RECORD_TYPE                   = FIXED_LENGTH");
    line("RECORD_BYTES                  = 512");
    line("FILE_RECORDS                  = 2");
    line("LABEL_RECORDS                 = 1");
    line("");
    line("/* POINTERS TO DATA OBJECTS */");
    line("^" + object + "                      = (\"" + dataName + "\", 1)");
    line("");
    line("/* IDENTIFICATION DATA ELEMENTS */");
    line("DATA_SET_ID                   = \"VELLORA-SYNTHETIC-1-EDR-V1.0\"");
    line("DATA_SET_NAME                 = \"VELLORA SYNTHETIC RAW DATA V1.0\"");
    line("PRODUCT_ID                    = \"IMG" + n + "\"");
    line("PRODUCT_TYPE                  = EDR");
    line("PRODUCT_CREATION_TIME         = 2001-03-04T05:06:07.000");
    line("PRODUCER_ID                   = VELLORA_TEAM");
    line("INSTRUMENT_HOST_NAME          = \"SYNTHETIC ORBITER\"");
    line("INSTRUMENT_HOST_ID            = SO");
    line("INSTRUMENT_NAME               = \"WIDE ANGLE CAMERA\"");
    line("INSTRUMENT_ID                 = WAC");
    line("MISSION_PHASE_NAME            = \"PRIMARY MISSION\"");
    line("TARGET_NAME                   = MARS");
    line("START_TIME                    = 2000-01-01T00:00:" + std::to_string(index % 60) + ".000");
    line("STOP_TIME                     = 2000-01-01T00:01:00.000");
    line("SPACECRAFT_CLOCK_START_COUNT  = \"1/0000" + n + "\"");
    line("SPACECRAFT_CLOCK_STOP_COUNT   = \"1/0001" + n + "\"");
    line("ORBIT_NUMBER                  = " + std::to_string(index / 7));
    line("");
    line("/* DESCRIPTIVE DATA ELEMENTS */");
    line("EXPOSURE_DURATION             = 12.5 <MS>");
    line("FILTER_NAME                   = \"CLEAR\"");
    line("INCIDENCE_ANGLE               = 45.0 <DEG>");
    line("EMISSION_ANGLE                = 10.0 <DEG>");
    line("PHASE_ANGLE                   = 55.0 <DEG>");
    line("SOLAR_DISTANCE                = 227900000 <KM>");
    line("NOTE                          = \"Synthetic label written to measure");
    line("                                 label reading; the data is noise.\"");
    line("");
    line("OBJECT                        = " + object);
    line("  LINES                       = 16");
    line("  LINE_SAMPLES                = 32");
    line("  SAMPLE_TYPE                 = MSB_UNSIGNED_INTEGER");
    line("  SAMPLE_BITS                 = 8");
    line("END_OBJECT                    = " + object);
    line("END");
    return text;
}

// Writes count labels and data files into folder (created when missing).
// Returns false when a file cannot be written.
inline bool WriteVolume(const std::filesystem::path& folder, int count)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (int i = 1; i <= count; ++i) {
        char base[32];
        std::snprintf(base, sizeof base, "IMG%05d", i);
        const std::string dataName = std::string(base) + ".IMG";
        std::ofstream label(folder / (std::string(base) + ".LBL"), std::ios::binary);
        label << LabelText(i, dataName);
        std::ofstream data(folder / dataName, std::ios::binary);
        data << std::string(512, char(i % 251));
        if (!label || !data)
            return false;
    }
    return true;
}

}  // namespace bench
