#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "catalog/game_data.h"

// Every catalog test starts and ends with the three lists empty.
class CatalogTest : public ::testing::Test {
 protected:
  void SetUp() override { GameData::ClearLists(); }
  void TearDown() override { GameData::ClearLists(); }

  static GameData::TGameInfo Game(std::int32_t id, std::u16string name = u"",
                                  std::u16string genre = u"") {
    GameData::TGameInfo game;
    game.ID = id;
    game.Name = name;
    game.InfoName = name;
    game.InfoGenre = genre;
    return game;
  }

  static std::vector<std::int32_t> Ids(const std::vector<GameData::TGameInfo>& list) {
    std::vector<std::int32_t> ids;
    for (const auto& game : list) ids.push_back(game.ID);
    return ids;
  }
};
