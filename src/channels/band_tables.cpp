#include "channels/band_tables.h"

namespace zandrevio::bands {

namespace {
constexpr Run kNone{0, -1, 1, 0.0L, 0, 0.0L};

// TS 45.005 2.x: Fl(n) = base + 0.2 (n - n0) uplink, Fu(n) = Fl(n) + duplex.
constexpr Band Gsm(std::string_view name, std::int64_t first, std::int64_t last, long double base, std::int64_t n0,
                   long double duplex)
{
    return {
        name, "FDD", {{first, last, 1, base, n0, 0.2L}, kNone}, 1, {{first, last, 1, base + duplex, n0, 0.2L}, kNone},
        1};
}

// The extended bands' second run below channel 0: Fl(n) = 890 + 0.2 (n - 1024).
constexpr Band Gsm900(std::string_view name, std::int64_t first, std::int64_t extended)
{
    return {name,
            "FDD",
            {{first, 124, 1, 890.0L, 0, 0.2L}, {extended, 1023, 1, 890.0L, 1024, 0.2L}},
            extended > 0 ? 2 : 1,
            {{first, 124, 1, 935.0L, 0, 0.2L}, {extended, 1023, 1, 935.0L, 1024, 0.2L}},
            extended > 0 ? 2 : 1};
}

const Band kGsm[] = {
    Gsm("GSM 450", 259, 293, 450.6L, 259, 10.0L),
    Gsm("GSM 480", 306, 340, 479.0L, 306, 10.0L),
    Gsm("GSM 750", 438, 511, 747.2L, 438, 30.0L),
    Gsm("GSM 850", 128, 251, 824.2L, 128, 45.0L),
    Gsm900("P-GSM 900", 1, 0),
    Gsm900("E-GSM 900", 0, 975),
    Gsm900("R-GSM 900", 0, 955),
    Gsm("DCS 1800", 512, 885, 1710.2L, 512, 95.0L),
    Gsm("PCS 1900", 512, 810, 1850.2L, 512, 80.0L),
};

// TS 36.101 5.7.3: F = F_low + 0.1 (N - N_offs).
constexpr Run Earfcn(long double low, std::int64_t offset, std::int64_t first, std::int64_t last)
{
    return {first, last, 1, low, offset, 0.1L};
}

const Band kLte[] = {
    {"1", "FDD", {Earfcn(1920.0L, 18000, 18000, 18599), kNone}, 1, {Earfcn(2110.0L, 0, 0, 599), kNone}, 1},
    {"2", "FDD", {Earfcn(1850.0L, 18600, 18600, 19199), kNone}, 1, {Earfcn(1930.0L, 600, 600, 1199), kNone}, 1},
    {"3", "FDD", {Earfcn(1710.0L, 19200, 19200, 19949), kNone}, 1, {Earfcn(1805.0L, 1200, 1200, 1949), kNone}, 1},
    {"4", "FDD", {Earfcn(1710.0L, 19950, 19950, 20399), kNone}, 1, {Earfcn(2110.0L, 1950, 1950, 2399), kNone}, 1},
    {"5", "FDD", {Earfcn(824.0L, 20400, 20400, 20649), kNone}, 1, {Earfcn(869.0L, 2400, 2400, 2649), kNone}, 1},
    {"6", "FDD", {Earfcn(830.0L, 20650, 20650, 20749), kNone}, 1, {Earfcn(875.0L, 2650, 2650, 2749), kNone}, 1},
    {"7", "FDD", {Earfcn(2500.0L, 20750, 20750, 21449), kNone}, 1, {Earfcn(2620.0L, 2750, 2750, 3449), kNone}, 1},
    {"8", "FDD", {Earfcn(880.0L, 21450, 21450, 21799), kNone}, 1, {Earfcn(925.0L, 3450, 3450, 3799), kNone}, 1},
    {"9", "FDD", {Earfcn(1749.9L, 21800, 21800, 22149), kNone}, 1, {Earfcn(1844.9L, 3800, 3800, 4149), kNone}, 1},
    {"10", "FDD", {Earfcn(1710.0L, 22150, 22150, 22749), kNone}, 1, {Earfcn(2110.0L, 4150, 4150, 4749), kNone}, 1},
    {"11", "FDD", {Earfcn(1427.9L, 22750, 22750, 22949), kNone}, 1, {Earfcn(1475.9L, 4750, 4750, 4949), kNone}, 1},
    {"12", "FDD", {Earfcn(699.0L, 23010, 23010, 23179), kNone}, 1, {Earfcn(729.0L, 5010, 5010, 5179), kNone}, 1},
    {"13", "FDD", {Earfcn(777.0L, 23180, 23180, 23279), kNone}, 1, {Earfcn(746.0L, 5180, 5180, 5279), kNone}, 1},
    {"14", "FDD", {Earfcn(788.0L, 23280, 23280, 23379), kNone}, 1, {Earfcn(758.0L, 5280, 5280, 5379), kNone}, 1},
    {"17", "FDD", {Earfcn(704.0L, 23730, 23730, 23849), kNone}, 1, {Earfcn(734.0L, 5730, 5730, 5849), kNone}, 1},
    {"18", "FDD", {Earfcn(815.0L, 23850, 23850, 23999), kNone}, 1, {Earfcn(860.0L, 5850, 5850, 5999), kNone}, 1},
    {"19", "FDD", {Earfcn(830.0L, 24000, 24000, 24149), kNone}, 1, {Earfcn(875.0L, 6000, 6000, 6149), kNone}, 1},
    {"20", "FDD", {Earfcn(832.0L, 24150, 24150, 24449), kNone}, 1, {Earfcn(791.0L, 6150, 6150, 6449), kNone}, 1},
    {"21", "FDD", {Earfcn(1447.9L, 24450, 24450, 24599), kNone}, 1, {Earfcn(1495.9L, 6450, 6450, 6599), kNone}, 1},
    {"22", "FDD", {Earfcn(3410.0L, 24600, 24600, 25399), kNone}, 1, {Earfcn(3510.0L, 6600, 6600, 7399), kNone}, 1},
    {"23", "FDD", {Earfcn(2000.0L, 25500, 25500, 25699), kNone}, 1, {Earfcn(2180.0L, 7500, 7500, 7699), kNone}, 1},
    {"24", "FDD", {Earfcn(1626.5L, 25700, 25700, 26039), kNone}, 1, {Earfcn(1525.0L, 7700, 7700, 8039), kNone}, 1},
    {"25", "FDD", {Earfcn(1850.0L, 26040, 26040, 26689), kNone}, 1, {Earfcn(1930.0L, 8040, 8040, 8689), kNone}, 1},
    {"26", "FDD", {Earfcn(814.0L, 26690, 26690, 27039), kNone}, 1, {Earfcn(859.0L, 8690, 8690, 9039), kNone}, 1},
    {"27", "FDD", {Earfcn(807.0L, 27040, 27040, 27209), kNone}, 1, {Earfcn(852.0L, 9040, 9040, 9209), kNone}, 1},
    {"28", "FDD", {Earfcn(703.0L, 27210, 27210, 27659), kNone}, 1, {Earfcn(758.0L, 9210, 9210, 9659), kNone}, 1},
    {"29", "SDL", {kNone, kNone}, 0, {Earfcn(717.0L, 9660, 9660, 9769), kNone}, 1},
    {"30", "FDD", {Earfcn(2305.0L, 27660, 27660, 27759), kNone}, 1, {Earfcn(2350.0L, 9770, 9770, 9869), kNone}, 1},
    {"31", "FDD", {Earfcn(452.5L, 27760, 27760, 27809), kNone}, 1, {Earfcn(462.5L, 9870, 9870, 9919), kNone}, 1},
    {"32", "SDL", {kNone, kNone}, 0, {Earfcn(1452.0L, 9920, 9920, 10359), kNone}, 1},
    {"33", "TDD", {Earfcn(1900.0L, 36000, 36000, 36199), kNone}, 1, {Earfcn(1900.0L, 36000, 36000, 36199), kNone}, 1},
    {"34", "TDD", {Earfcn(2010.0L, 36200, 36200, 36349), kNone}, 1, {Earfcn(2010.0L, 36200, 36200, 36349), kNone}, 1},
    {"35", "TDD", {Earfcn(1850.0L, 36350, 36350, 36949), kNone}, 1, {Earfcn(1850.0L, 36350, 36350, 36949), kNone}, 1},
    {"36", "TDD", {Earfcn(1930.0L, 36950, 36950, 37549), kNone}, 1, {Earfcn(1930.0L, 36950, 36950, 37549), kNone}, 1},
    {"37", "TDD", {Earfcn(1910.0L, 37550, 37550, 37749), kNone}, 1, {Earfcn(1910.0L, 37550, 37550, 37749), kNone}, 1},
    {"38", "TDD", {Earfcn(2570.0L, 37750, 37750, 38249), kNone}, 1, {Earfcn(2570.0L, 37750, 37750, 38249), kNone}, 1},
    {"39", "TDD", {Earfcn(1880.0L, 38250, 38250, 38649), kNone}, 1, {Earfcn(1880.0L, 38250, 38250, 38649), kNone}, 1},
    {"40", "TDD", {Earfcn(2300.0L, 38650, 38650, 39649), kNone}, 1, {Earfcn(2300.0L, 38650, 38650, 39649), kNone}, 1},
    {"41", "TDD", {Earfcn(2496.0L, 39650, 39650, 41589), kNone}, 1, {Earfcn(2496.0L, 39650, 39650, 41589), kNone}, 1},
    {"42", "TDD", {Earfcn(3400.0L, 41590, 41590, 43589), kNone}, 1, {Earfcn(3400.0L, 41590, 41590, 43589), kNone}, 1},
    {"43", "TDD", {Earfcn(3600.0L, 43590, 43590, 45589), kNone}, 1, {Earfcn(3600.0L, 43590, 43590, 45589), kNone}, 1},
    {"44", "TDD", {Earfcn(703.0L, 45590, 45590, 46589), kNone}, 1, {Earfcn(703.0L, 45590, 45590, 46589), kNone}, 1},
    {"45", "TDD", {Earfcn(1447.0L, 46590, 46590, 46789), kNone}, 1, {Earfcn(1447.0L, 46590, 46590, 46789), kNone}, 1},
    {"46", "TDD", {Earfcn(5150.0L, 46790, 46790, 54539), kNone}, 1, {Earfcn(5150.0L, 46790, 46790, 54539), kNone}, 1},
    {"47", "TDD", {Earfcn(5855.0L, 54540, 54540, 55239), kNone}, 1, {Earfcn(5855.0L, 54540, 54540, 55239), kNone}, 1},
    {"48", "TDD", {Earfcn(3550.0L, 55240, 55240, 56739), kNone}, 1, {Earfcn(3550.0L, 55240, 55240, 56739), kNone}, 1},
    {"49", "TDD", {Earfcn(3550.0L, 56740, 56740, 58239), kNone}, 1, {Earfcn(3550.0L, 56740, 56740, 58239), kNone}, 1},
    {"50", "TDD", {Earfcn(1432.0L, 58240, 58240, 59089), kNone}, 1, {Earfcn(1432.0L, 58240, 58240, 59089), kNone}, 1},
    {"51", "TDD", {Earfcn(1427.0L, 59090, 59090, 59139), kNone}, 1, {Earfcn(1427.0L, 59090, 59090, 59139), kNone}, 1},
    {"52", "TDD", {Earfcn(3300.0L, 59140, 59140, 60139), kNone}, 1, {Earfcn(3300.0L, 59140, 59140, 60139), kNone}, 1},
    {"53", "TDD", {Earfcn(2483.5L, 60140, 60140, 60254), kNone}, 1, {Earfcn(2483.5L, 60140, 60140, 60254), kNone}, 1},
    {"65",
     "FDD",
     {Earfcn(1920.0L, 131072, 131072, 131971), kNone},
     1,
     {Earfcn(2110.0L, 65536, 65536, 66435), kNone},
     1},
    {"66",
     "FDD",
     {Earfcn(1710.0L, 131972, 131972, 132671), kNone},
     1,
     {Earfcn(2110.0L, 66436, 66436, 67335), kNone},
     1},
    {"67", "SDL", {kNone, kNone}, 0, {Earfcn(738.0L, 67336, 67336, 67535), kNone}, 1},
    {"68", "FDD", {Earfcn(698.0L, 132672, 132672, 132971), kNone}, 1, {Earfcn(753.0L, 67536, 67536, 67835), kNone}, 1},
    {"69", "SDL", {kNone, kNone}, 0, {Earfcn(2570.0L, 67836, 67836, 68335), kNone}, 1},
    {"70",
     "FDD",
     {Earfcn(1695.0L, 132972, 132972, 133121), kNone},
     1,
     {Earfcn(1995.0L, 68336, 68336, 68585), kNone},
     1},
    {"71", "FDD", {Earfcn(663.0L, 133122, 133122, 133471), kNone}, 1, {Earfcn(617.0L, 68586, 68586, 68935), kNone}, 1},
    {"72", "FDD", {Earfcn(451.0L, 133472, 133472, 133521), kNone}, 1, {Earfcn(461.0L, 68936, 68936, 68985), kNone}, 1},
    {"73", "FDD", {Earfcn(450.0L, 133522, 133522, 133571), kNone}, 1, {Earfcn(460.0L, 68986, 68986, 69035), kNone}, 1},
    {"74",
     "FDD",
     {Earfcn(1427.0L, 133572, 133572, 134001), kNone},
     1,
     {Earfcn(1475.0L, 69036, 69036, 69465), kNone},
     1},
    {"75", "SDL", {kNone, kNone}, 0, {Earfcn(1432.0L, 69466, 69466, 70315), kNone}, 1},
    {"76", "SDL", {kNone, kNone}, 0, {Earfcn(1427.0L, 70316, 70316, 70365), kNone}, 1},
    {"85", "FDD", {Earfcn(698.0L, 134002, 134002, 134181), kNone}, 1, {Earfcn(728.0L, 70366, 70366, 70545), kNone}, 1},
    {"87", "FDD", {Earfcn(410.0L, 134182, 134182, 134231), kNone}, 1, {Earfcn(420.0L, 70546, 70546, 70595), kNone}, 1},
    {"88", "FDD", {Earfcn(412.0L, 134232, 134232, 134281), kNone}, 1, {Earfcn(422.0L, 70596, 70596, 70645), kNone}, 1},
};

// TS 38.104 5.4.2.1: F_REF = F_REF-Offs + dF_Global (N_REF - N_REF-Offs), in
// three ranges of the global raster.
constexpr Run kNrGlobal[] = {
    {0, 599999, 1, 0.0L, 0, 0.005L},
    {600000, 2016666, 1, 3000.0L, 600000, 0.015L},
    {2016667, 3279165, 1, 24250.08L, 2016667, 0.06L},
};

// A band's channels first..last every `step` on the global raster's range
// that holds them.
constexpr Run NrArfcn(std::int64_t first, std::int64_t step, std::int64_t last)
{
    for (const Run& range : kNrGlobal) {
        if (first <= range.last) {
            return {first, last, step, range.baseMHz, range.baseChannel, range.unitMHz};
        }
    }
    return kNone;
}

const Band kNr[] = {
    {"n1", "FDD", {NrArfcn(384000, 20, 396000), kNone}, 1, {NrArfcn(422000, 20, 434000), kNone}, 1},
    {"n2", "FDD", {NrArfcn(370000, 20, 382000), kNone}, 1, {NrArfcn(386000, 20, 398000), kNone}, 1},
    {"n3", "FDD", {NrArfcn(342000, 20, 357000), kNone}, 1, {NrArfcn(361000, 20, 376000), kNone}, 1},
    {"n5", "FDD", {NrArfcn(164800, 20, 169800), kNone}, 1, {NrArfcn(173800, 20, 178800), kNone}, 1},
    {"n7", "FDD", {NrArfcn(500000, 20, 514000), kNone}, 1, {NrArfcn(524000, 20, 538000), kNone}, 1},
    {"n8", "FDD", {NrArfcn(176000, 20, 183000), kNone}, 1, {NrArfcn(185000, 20, 192000), kNone}, 1},
    {"n12", "FDD", {NrArfcn(139800, 20, 143200), kNone}, 1, {NrArfcn(145800, 20, 149200), kNone}, 1},
    {"n13", "FDD", {NrArfcn(155400, 20, 157400), kNone}, 1, {NrArfcn(149200, 20, 151200), kNone}, 1},
    {"n14", "FDD", {NrArfcn(157600, 20, 159600), kNone}, 1, {NrArfcn(151600, 20, 153600), kNone}, 1},
    {"n18", "FDD", {NrArfcn(163000, 20, 166000), kNone}, 1, {NrArfcn(172000, 20, 175000), kNone}, 1},
    {"n20", "FDD", {NrArfcn(166400, 20, 172400), kNone}, 1, {NrArfcn(158200, 20, 164200), kNone}, 1},
    {"n24", "FDD", {NrArfcn(325300, 20, 332100), kNone}, 1, {NrArfcn(305000, 20, 311800), kNone}, 1},
    {"n25", "FDD", {NrArfcn(370000, 20, 383000), kNone}, 1, {NrArfcn(386000, 20, 399000), kNone}, 1},
    {"n26", "FDD", {NrArfcn(162800, 20, 169800), kNone}, 1, {NrArfcn(171800, 20, 178800), kNone}, 1},
    {"n28", "FDD", {NrArfcn(140600, 20, 149600), kNone}, 1, {NrArfcn(151600, 20, 160600), kNone}, 1},
    {"n29", "SDL", {kNone, kNone}, 0, {NrArfcn(143400, 20, 145600), kNone}, 1},
    {"n30", "FDD", {NrArfcn(461000, 20, 463000), kNone}, 1, {NrArfcn(470000, 20, 472000), kNone}, 1},
    {"n34", "TDD", {NrArfcn(402000, 20, 405000), kNone}, 1, {NrArfcn(402000, 20, 405000), kNone}, 1},
    {"n38", "TDD", {NrArfcn(514000, 20, 524000), kNone}, 1, {NrArfcn(514000, 20, 524000), kNone}, 1},
    {"n39", "TDD", {NrArfcn(376000, 20, 384000), kNone}, 1, {NrArfcn(376000, 20, 384000), kNone}, 1},
    {"n40", "TDD", {NrArfcn(460000, 20, 480000), kNone}, 1, {NrArfcn(460000, 20, 480000), kNone}, 1},
    {"n41", "TDD", {NrArfcn(499200, 3, 537999), kNone}, 1, {NrArfcn(499200, 3, 537999), kNone}, 1},
    {"n46", "TDD", {NrArfcn(743334, 1, 795000), kNone}, 1, {NrArfcn(743334, 1, 795000), kNone}, 1},
    {"n47", "TDD", {NrArfcn(790334, 1, 795000), kNone}, 1, {NrArfcn(790334, 1, 795000), kNone}, 1},
    {"n48", "TDD", {NrArfcn(636667, 1, 646666), kNone}, 1, {NrArfcn(636667, 1, 646666), kNone}, 1},
    {"n50", "TDD", {NrArfcn(286400, 20, 303400), kNone}, 1, {NrArfcn(286400, 20, 303400), kNone}, 1},
    {"n51", "TDD", {NrArfcn(285400, 20, 286400), kNone}, 1, {NrArfcn(285400, 20, 286400), kNone}, 1},
    {"n53", "TDD", {NrArfcn(496700, 20, 499000), kNone}, 1, {NrArfcn(496700, 20, 499000), kNone}, 1},
    {"n65", "FDD", {NrArfcn(384000, 20, 402000), kNone}, 1, {NrArfcn(422000, 20, 440000), kNone}, 1},
    {"n66", "FDD", {NrArfcn(342000, 20, 356000), kNone}, 1, {NrArfcn(422000, 20, 440000), kNone}, 1},
    {"n67", "SDL", {kNone, kNone}, 0, {NrArfcn(147600, 20, 151600), kNone}, 1},
    {"n70", "FDD", {NrArfcn(339000, 20, 342000), kNone}, 1, {NrArfcn(399000, 20, 404000), kNone}, 1},
    {"n71", "FDD", {NrArfcn(132600, 20, 139600), kNone}, 1, {NrArfcn(123400, 20, 130400), kNone}, 1},
    {"n74", "FDD", {NrArfcn(285400, 20, 294000), kNone}, 1, {NrArfcn(295000, 20, 303600), kNone}, 1},
    {"n75", "SDL", {kNone, kNone}, 0, {NrArfcn(286400, 20, 303400), kNone}, 1},
    {"n76", "SDL", {kNone, kNone}, 0, {NrArfcn(285400, 20, 286400), kNone}, 1},
    {"n77", "TDD", {NrArfcn(620000, 1, 680000), kNone}, 1, {NrArfcn(620000, 1, 680000), kNone}, 1},
    {"n78", "TDD", {NrArfcn(620000, 1, 653333), kNone}, 1, {NrArfcn(620000, 1, 653333), kNone}, 1},
    {"n79", "TDD", {NrArfcn(693334, 1, 733333), kNone}, 1, {NrArfcn(693334, 1, 733333), kNone}, 1},
    {"n80", "SUL", {NrArfcn(342000, 20, 357000), kNone}, 1, {kNone, kNone}, 0},
    {"n81", "SUL", {NrArfcn(176000, 20, 183000), kNone}, 1, {kNone, kNone}, 0},
    {"n82", "SUL", {NrArfcn(166400, 20, 172400), kNone}, 1, {kNone, kNone}, 0},
    {"n83", "SUL", {NrArfcn(140600, 20, 149600), kNone}, 1, {kNone, kNone}, 0},
    {"n84", "SUL", {NrArfcn(384000, 20, 396000), kNone}, 1, {kNone, kNone}, 0},
    {"n86", "SUL", {NrArfcn(342000, 20, 356000), kNone}, 1, {kNone, kNone}, 0},
    {"n89", "SUL", {NrArfcn(164800, 20, 169800), kNone}, 1, {kNone, kNone}, 0},
    {"n257", "TDD", {NrArfcn(2054166, 1, 2104165), kNone}, 1, {NrArfcn(2054166, 1, 2104165), kNone}, 1},
    {"n258", "TDD", {NrArfcn(2016667, 1, 2070832), kNone}, 1, {NrArfcn(2016667, 1, 2070832), kNone}, 1},
    {"n260", "TDD", {NrArfcn(2229166, 1, 2279165), kNone}, 1, {NrArfcn(2229166, 1, 2279165), kNone}, 1},
    {"n261", "TDD", {NrArfcn(2070833, 1, 2084999), kNone}, 1, {NrArfcn(2070833, 1, 2084999), kNone}, 1},
};
} // namespace

std::span<const Band> GsmBands()
{
    return kGsm;
}

std::span<const Band> LteBands()
{
    return kLte;
}

std::span<const Band> NrBands()
{
    return kNr;
}

std::span<const Run> NrGlobalRaster()
{
    return kNrGlobal;
}

} // namespace zandrevio::bands
