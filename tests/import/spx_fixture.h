// Small SPX experiment files for the reader tests: a header, regions of
// keyword lines (one item per line), groups, and depth regions with one
// value section per depth level.
#pragma once
#include <string>
#include <vector>

namespace importtest {

struct SpxRegionSpec {
  std::string name = "C1s";
  std::string energies = "280 281 0.5";
  std::string scans = "10";
  std::string dwell = "0.1";
  int anodeAt = 6;  // the anode is the n-th field after the dwell time
  std::string anode = "xrs_anode =  Al;";
  std::string mode = "ea_mode =  esca_c_ep;";
  std::string pass = "50";
  std::string source = "Al mono";
  std::string date = "2006-03-12";
  int depth = 1;                 // depth levels; 1 = a plain region
  std::string depthLine;         // the depth values of a depth region
  bool newGroup = false;         // a "newgroup" field before the region
  std::string points;            // "" = the number of values
  std::vector<std::string> values = {"1", "2", "3"};
  // Values of each depth level; every level takes `values` when empty.
  std::vector<std::vector<std::string>> levelValues;
};

inline std::string MakeSpx(const std::vector<SpxRegionSpec>& regions,
                           const std::string& signature = "#SPX experiment",
                           const std::string& tail = "") {
  std::vector<std::string> L = {signature, "# name = sample 1;", "# user = ab;"};
  for (const SpxRegionSpec& r : regions) {
    if (r.newGroup) L.push_back("newgroup");
    L.push_back("region " + r.name);
    L.push_back("region_id = 1;");
    L.push_back("lens = 2;");
    L.push_back("ekin = " + r.energies + ";");
    L.push_back("scan = " + r.scans + ";");
    L.push_back("dwel = " + r.dwell + ";");
    for (int j = 1; j < r.anodeAt; ++j) L.push_back("setting" + std::to_string(j) + " = 0;");
    L.push_back(r.anode);
    for (int j = 0; j < 5; ++j) L.push_back("ea_setting = 0;");
    L.push_back("  " + r.mode + "  ");
    L.push_back("ea_lens = 0;");
    L.push_back("ea_iris = 0;");
    L.push_back(" ea_epass = " + r.pass + "; ");
    for (int j = 0; j < 4; ++j) L.push_back("source_setting = 0;");
    L.push_back(" source = " + r.source + "; ");
    L.push_back("detector = 1;");
    L.push_back("flood_gun = off;");
    L.push_back("name= " + r.name + ";");
    L.push_back("operator = ab;");
    L.push_back("measure_date= " + r.date);
    L.push_back("stage = 0;");
    L.push_back("tilt = 0;");
    L.push_back("depth=" + std::to_string(r.depth) + ";");
    if (r.depth > 1) L.push_back(r.depthLine);
    for (int level = 0; level < r.depth; ++level) {
      const std::vector<std::string>& values =
          r.levelValues.empty() ? r.values : r.levelValues[static_cast<std::size_t>(level)];
      L.push_back("original=" + (r.points.empty() ? std::to_string(values.size()) : r.points));
      for (const std::string& v : values) L.push_back(v);
      L.push_back("endoriginal");
      L.push_back("");
    }
  }
  if (!tail.empty()) L.push_back(tail);
  std::string text;
  for (const std::string& l : L) text += l + "\r\n";
  return text;
}

// A depth region of `levels` levels whose level c holds the values
// 100 c + region, 100 c + region + 1.
inline SpxRegionSpec DepthRegion(const std::string& name, int levels, int region,
                                 const std::string& depthLine) {
  SpxRegionSpec r;
  r.name = name;
  r.depth = levels;
  r.depthLine = depthLine;
  for (int c = 1; c <= levels; ++c)
    r.levelValues.push_back({std::to_string(100 * c + region), std::to_string(100 * c + region + 1)});
  return r;
}

}  // namespace importtest
