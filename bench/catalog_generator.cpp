#include "catalog_generator.h"

#include <random>

namespace {

const char* const kWords[] = {"Звёздный", "картограф", "Лабиринт", "теней", "Облачная", "ферма",
                              "Подводный", "патруль", "Арена", "механоидов", "Северный",
                              "экспресс", "Neon", "Drift", "Quantum", "Pixel", "Turbo", "Ёжик",
                              "Хроники", "королевства", "Shadow", "Maze", "Ледяной", "маяк"};
const char* const kGenres[] = {"Аркада", "Стратегия", "Головоломка", "Гонки", "Симулятор",
                               "Ролевая игра", "Экшен", "Логика"};
const char* const kDevelopers[] = {"Studio Kvant", "Тихая гавань", "Лисья нора", "Полярный код",
                                   "Neon Nest", "Глубина", "Медведь"};
const char* const kTexts[] = {"Игроков: 1-4", "Размер: 85 МБ", "Android 9+", "Рейтинг 4.6",
                              "Офлайн", "Русский язык", "Без рекламы", "Сезон 3"};

template <std::size_t N>
const char* Pick(const char* const (&list)[N], std::mt19937& random) {
  return list[random() % N];
}

}  // namespace

std::string GenerateCatalog(int games, const std::string& poster) {
  std::mt19937 random(12345);
  std::string json = "[\n";
  for (int i = 1; i <= games; ++i) {
    const std::string slug = "game-" + std::to_string(i);
    std::string name = Pick(kWords, random);
    name += ' ';
    name += Pick(kWords, random);
    if (random() % 3 == 0) name += std::string(" ") + Pick(kWords, random);
    json += "  {\"id\": " + std::to_string(i) + ", \"name\": \"" + name + "\", ";
    json += "\"url\": \"https://velmar.example/games/" + slug + "\", ";
    json += "\"apkUrl\": \"https://velmar.example/apk/" + slug + ".apk\", ";
    json += "\"post\": \"" + (poster.empty() ? slug + ".png" : poster) + "\", ";
    json += "\"qrcode\": \"" + slug + "-qr.png\",\n";
    json += "   \"info\": {\"genre\": \"" + std::string(Pick(kGenres, random)) +
            "\", \"developer\": \"" + Pick(kDevelopers, random) + "\", \"year\": \"" +
            std::to_string(2015 + random() % 11) + "\"";
    const int texts = 4 + int(random() % 5);
    for (int t = 1; t <= texts; ++t) {
      json += ", \"text" + std::to_string(t) + "\": \"" + Pick(kTexts, random) + "\"";
    }
    json += i < games ? "}},\n" : "}}\n";
  }
  json += "]\n";
  return json;
}
