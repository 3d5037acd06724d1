#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "catalog/current_model.hpp"
#include "platform/app_settings.hpp"
#include "profiles/model_loader.hpp"
#include "store/config_store.hpp"
#include "store/config_table.hpp"
#include "support/temp_dir.hpp"

namespace korvane::test {

namespace fs = std::filesystem;

// Two levels only: the other levels keep the database's defaults.
constexpr char kAlpha[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<mouse>
  <custom show_dpitips="1" show_savetips="1" show_lod="0" show_sensor="1"/>
  <mouse_info>
    <dpi_info default_dpi="0" dpi_count="4">
      <dpi_1 value="400" color="#FF8000"/>
      <dpi_2 value="1200" color="#0000FF"/>
    </dpi_info>
    <report_rate default_value="8"/>
    <sleep_light value="60"/>
    <move_wakeup value="0"/>
    <move_closelight value="0"/>
  </mouse_info>
</mouse>)";

class ModelFixture : public ::testing::Test {
 protected:
  ModelFixture() : settings_(dir_ / "config") {
    fs::create_directories(dir_ / "config");
    fs::create_directories(dir_ / "data/db");
    dir_.Write("res/device/alpha.xml", kAlpha);
    for (const auto& [type, name, attr] : {std::tuple{1, "Alpha", "alpha"}, std::tuple{2, "Beta", "beta"}}) {
      CatalogEntry model;
      model.name = name;
      model.device_type = type;
      model.device_attr = attr;
      catalog_.models.push_back(model);
    }
  }

  ModelSources Sources() const {
    return {.catalog = catalog_, .settings = settings_, .resources = dir_ / "res", .data_folder = dir_ / "data"};
  }

  bool Load(int device_type) {
    SetCurrentType(settings_, device_type);
    LoadReport report;
    return LoadDeviceModel(Sources(), store_, model_, report);
  }

  std::string Value(int profile, ConfigKey key) {
    std::string value;
    GetConfigValue(store_, profile, key, value);
    return value;
  }

  test::TempDir dir_;
  AppSettings settings_;
  DeviceCatalog catalog_;
  ConfigStore store_;
  DeviceModel model_;
};

}  // namespace korvane::test
