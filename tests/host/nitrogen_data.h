// The data file of nitrogen's equation of state, read once for all tests.
#pragma once

#include <nlohmann/json.hpp>

#include <fstream>

inline const nlohmann::json& NitrogenData() {
    static const nlohmann::json data =
        nlohmann::json::parse(std::ifstream(PRESOVOL_TEST_DATA "/nitrogen-span2000.json"));
    return data;
}
