#include "tools/check/catalog_checker.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <unordered_map>

#include "catalog/catalog_fields.h"
#include "catalog/game_data.h"
#include "platform/controls/picture_check.h"
#include "platform/files.h"
#include "platform/json_document.h"
#include "platform/utf8.h"
#include "tools/check/syntax_message.h"
#include "tools/check/text_position.h"
#include "texts/texts.h"

namespace checker {

namespace {

using platform::json::Kind;
using platform::json::Value;

std::string Utf8(std::u16string_view text) { return platform::Utf16ToUtf8(text); }

std::string Number(std::size_t n) { return std::to_string(n); }

// A text from the file between double quotes, on one line and not too long.
std::string Quoted(std::string_view utf8) {
  constexpr std::size_t kMaxCharacters = 48;
  std::string out = "\"";
  std::size_t characters = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if ((c & 0xC0) != 0x80 && ++characters > kMaxCharacters) {
      out += "…";
      break;
    }
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04X", c);
      out += escape;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string Quoted(std::u16string_view text) { return Quoted(Utf8(text)); }

// A number as written, a string in quotes.
std::string Shown(Value value) {
  return value.kind() == Kind::String ? Quoted(value.text()) : std::string(value.text());
}

std::string KindName(Value value) {
  switch (value.kind()) {
    case Kind::Number:
      return "a number";
    case Kind::String:
      return "a string";
    case Kind::Boolean:
      return value.boolean() ? "true" : "false";
    case Kind::Array:
      return "an array";
    case Kind::Object:
      return "an object";
    case Kind::Null:
      break;
  }
  return "null";
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// Edits (insert, delete, replace, swap of neighbours) from one text to the
// other.
std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

// The known key a mistyped one most likely meant: the same letters in
// another case, else the nearest within one edit (two for longer names).
template <std::size_t N>
std::optional<std::string_view> ClosestKey(std::string_view name,
                                           const std::string_view (&keys)[N]) {
  const std::string lower = Lower(name);
  for (std::string_view key : keys) {
    if (Lower(key) == lower) return key;
  }
  // Long names would only be compared to waste time.
  if (name.size() > 32) return std::nullopt;
  const std::size_t limit = name.size() <= 4 ? 1 : 2;
  std::optional<std::string_view> best;
  std::size_t bestDistance = limit + 1;
  for (std::string_view key : keys) {
    const std::size_t distance = EditDistance(lower, Lower(key));
    if (distance < bestDistance) {
      best = key;
      bestDistance = distance;
    }
  }
  return best;
}

template <std::size_t N>
bool IsKnown(std::string_view name, const std::string_view (&keys)[N]) {
  return std::find(std::begin(keys), std::end(keys), name) != std::end(keys);
}

// "text9", "text0", "text12": an info line the details have no row for.
bool IsExtraTextKey(std::string_view name) {
  const std::string lower = Lower(name);
  if (!lower.starts_with("text") || lower.size() == 4) return false;
  return std::all_of(lower.begin() + 4, lower.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "7.0", "1e3": a number that may well be whole though it is not written as
// one (an exponent, or a fraction of zeros). "7.5" is not.
bool IsWholeValue(std::string_view number) {
  if (number.find_first_of("eE") != std::string_view::npos) return true;
  const std::size_t point = number.find('.');
  return point == std::string_view::npos ||
         number.find_first_not_of('0', point + 1) == std::string_view::npos;
}

bool IsPresent(const std::optional<Value>& member) { return member && !member->isNull(); }

class Checker {
 public:
  // With `errorsOnly`, only what makes the program give up on games.json is
  // looked for: no game is checked and no picture opened.
  Checker(std::u16string_view folder, bool errorsOnly, FindingSink& sink, std::size_t maxPerCode)
      : folder_(folder),
        catalogPath_(JoinPath(folder, GameData::kCatalogFileName)),
        errorsOnly_(errorsOnly),
        sink_(sink),
        maxPerCode_(maxPerCode) {}

  Summary Run() {
    if (!folder_.empty() && !platform::FolderExists(folder_)) {
      AddUnplaced(catalogPath_, "io", "the folder does not exist");
      return Finish();
    }
    CheckCatalogFile();
    // Without games.json the folder is most likely not a data folder at all;
    // its icons would only add noise.
    if (!errorsOnly_ && platform::FileExists(catalogPath_)) CheckIcons();
    return Finish();
  }

 private:
  struct Placed {
    std::size_t offset;
    Finding finding;
  };

  // The severity of a finding is its code's. Findings in games.json wait
  // until the element they are about is checked, to go out in file order.
  void Add(std::size_t offset, std::string code, std::string message) {
    const Severity severity = FindDiagnosticCode(code).severity;
    placed_.push_back(
        Placed{offset, Finding{severity, std::move(code), catalogPath_, 0, 0, std::move(message)}});
  }
  void AddUnplaced(std::u16string path, std::string code, std::string message) {
    const Severity severity = FindDiagnosticCode(code).severity;
    Emit(Finding{severity, std::move(code), std::move(path), 0, 0, std::move(message)});
  }

  // Elements of the array lie one after the other in the file, and each
  // one's findings lie inside it: sorting them element by element puts the
  // whole file in order.
  void FlushPlaced() {
    std::stable_sort(placed_.begin(), placed_.end(),
                     [](const Placed& a, const Placed& b) { return a.offset < b.offset; });
    for (Placed& placed : placed_) {
      const TextPosition position = lines_->At(placed.offset);
      placed.finding.line = position.line;
      placed.finding.column = position.column;
      Emit(std::move(placed.finding));
    }
    placed_.clear();
  }

  void Emit(Finding&& finding) {
    ++summary_.counts[std::size_t(finding.severity)];
    const std::size_t ofCode = ++perCode_[finding.code];
    if (maxPerCode_ == 0 || ofCode <= maxPerCode_) sink_.Add(std::move(finding));
  }

  Summary Finish() {
    for (const DiagnosticCode& code : kDiagnosticCodes) {
      const auto kept = perCode_.find(std::string(code.code));
      if (kept != perCode_.end() && kept->second > maxPerCode_ && maxPerCode_ > 0) {
        summary_.omitted.push_back(
            Omitted{std::string(code.code), code.severity, kept->second - maxPerCode_});
      }
    }
    return std::move(summary_);
  }

  std::string LineAndColumn(std::size_t offset) const {
    const TextPosition position = lines_->At(offset);
    return "line " + Number(position.line) + ", column " + Number(position.column);
  }

  void CheckCatalogFile() {
    switch (platform::KindOf(catalogPath_)) {
      case platform::FileKind::Missing:
        AddUnplaced(catalogPath_, "io", "no such file");
        return;
      case platform::FileKind::Folder:
        AddUnplaced(catalogPath_, "io", "is a folder, not a file");
        return;
      case platform::FileKind::Other:
        AddUnplaced(catalogPath_, "io",
                    "is not a regular file (a pipe, a device or a socket); the program does not "
                    "read it");
        return;
      case platform::FileKind::Regular:
        break;
    }
    std::string reason;
    auto bytes = GameData::ReadCatalogFile(catalogPath_, &reason);
    if (!bytes) {
      AddUnplaced(catalogPath_, "io", "cannot be read: " + reason);
      return;
    }
    bytes_ = std::move(*bytes);
    lines_.emplace(bytes_);
    platform::json::ParseError error;
    const auto document = platform::json::Parse(bytes_, &error);
    if (!document) {
      ReportParseError(error);
      FlushPlaced();
      return;
    }
    const Value root = document->root();
    if (!root.isArray()) {
      Add(root.position(), "not-array",
          "the catalog must be an array [ ... ] of games, not " + KindName(root));
      FlushPlaced();
      return;
    }
    summary_.games = root.size();
    std::size_t index = 0;
    for (Value element : root) {
      if (element.isObject()) {
        if (!errorsOnly_) CheckGame(element, index);
      } else {
        Add(element.position(), "element-not-object",
            "element " + Number(index + 1) + " of the catalog is " + KindName(element) +
                ", not a game object { ... }");
      }
      FlushPlaced();
      ++index;
    }
  }

  void ReportParseError(const platform::json::ParseError& error) {
    using Code = platform::json::ParseError::Code;
    switch (error.code) {
      case Code::Utf8:
        Add(error.offset, "utf8", Utf8Message(bytes_, error.offset));
        return;
      case Code::TooLarge:
        AddUnplaced(catalogPath_, "io", "cannot be read: " + error.message);
        return;
      case Code::TooDeep:
        Add(error.offset, "json-syntax",
            "arrays and objects nested more than " + Number(platform::json::kMaxNesting) +
                " levels deep");
        return;
      case Code::Syntax:
      case Code::None:
        break;
    }
    std::optional<OpenContainer> open;
    if (error.openedAt) {
      const TextPosition at = lines_->At(*error.openedAt);
      open = OpenContainer{error.openedKind == Kind::Object,
                           Number(at.line) + ":" + Number(at.column)};
    }
    Add(error.offset, "json-syntax",
        SyntaxMessage(error.message, bytes_, error.offset, open ? &*open : nullptr));
  }

  void CheckGame(Value game, std::size_t index) {
    // The record exactly as the program reads it; the checks below explain
    // where it differs from what the file seems to say.
    GameData::TGameInfo record;
    GameData::ReadGame(game, index, record);

    CheckKeys(game, GameData::kGameKeys, GameData::kInfoKeys, false);
    CheckId(game, index, record.ID);
    for (std::string_view key : GameData::kGameKeys) {
      if (key != "id" && key != "info") CheckText(game, key, "", "the program uses \"\" instead");
    }
    CheckInfo(game);
    CheckAddress(game, "url", record.URL, true, "Play does nothing",
                 "Play says \"" + Utf8(texts::kNoURL) + "\"");
    CheckAddress(game, "apkUrl", record.APKUrl, false, "the APK button does nothing",
                 "the APK button says \"" + Utf8(texts::kNoAPK) + "\"");
    CheckPicture(game, "post", GameData::kPosterFolder, record.PostImage, "poster",
                 "the poster area shows \"" + Utf8(texts::kPosterPlaceholder) + "\"",
                 "the poster area shows \"" + Utf8(texts::kPosterError) + "\"");
    CheckPicture(game, "qrcode", GameData::kQRCodeFolder, record.QRCodeImage, "QR image",
                 "the QR square stays empty", "the QR square stays empty");
  }

  // Members the program never reads: unknown names and later duplicates.
  template <std::size_t N, std::size_t M>
  void CheckKeys(Value object, const std::string_view (&own)[N], const std::string_view (&other)[M],
                 bool inInfo) {
    std::map<std::string_view, std::size_t> seen;  // name -> where it first appears
    const std::string where = inInfo ? " in \"info\"" : "";
    for (Value member : object) {
      const std::string_view name = member.name();
      const auto [first, isFirst] = seen.emplace(name, member.namePosition());
      const std::string key = "key " + Quoted(name) + where;
      if (IsKnown(name, own)) {
        if (!isFirst) {
          Add(member.namePosition(), "duplicate-key",
               "duplicate " + key + " is ignored; the first one (" + LineAndColumn(first->second) +
                   ") is used");
        }
        continue;
      }
      std::string message = "unknown " + key + " is ignored";
      if (inInfo && IsExtraTextKey(name) && !IsKnown(Lower(name), own)) {
        message += "; the details show only \"text1\" to \"text8\"";
      } else if (const auto ownKey = ClosestKey(name, own)) {
        message += "; did you mean \"" + std::string(*ownKey) + "\"?";
      } else if (const auto otherKey = ClosestKey(name, other)) {
        const std::string place = inInfo ? "in the game, outside \"info\"" : "inside \"info\"";
        message += *otherKey == name
                       ? "; it belongs " + place
                       : "; did you mean \"" + std::string(*otherKey) + "\" " + place + "?";
      }
      Add(member.namePosition(), "unknown-key", std::move(message));
    }
  }

  void CheckId(Value game, std::size_t index, std::int32_t id) {
    const auto member = game.member("id");
    const bool present = IsPresent(member);
    std::int32_t converted = 0;
    const bool fromPosition = !present || !GameData::TryJSONInt(game, "id", converted);
    const std::size_t at = present ? member->position() : game.position();
    if (present && fromPosition) {
      std::string said = "\"id\"";
      switch (member->kind()) {
        case Kind::Number:
          said += " " + Shown(*member);
          said += member->isWholeNumber()        ? " is outside -2147483648..2147483647"
                  : IsWholeValue(member->text()) ? " is not written as a whole number"
                                                 : " is not a whole number";
          break;
        case Kind::String:
          said += " " + Shown(*member) + " is not an integer the program reads";
          break;
        default:
          said += " is " + KindName(*member) + ", not a number";
          break;
      }
      Add(at, "wrong-type", said + "; the game gets id " + Number(index + 1) + " (its position)");
    }
    const std::string idText = "id " + std::to_string(id);
    if (id <= 0) {
      Add(at, "id-not-positive", idText + " is not positive; the game cannot be made a favourite");
    }
    const auto [first, isFirst] = ids_.emplace(id, FirstUse{index, at});
    if (!isFirst) {
      Add(at, "duplicate-id",
           idText + (fromPosition ? " (its position)" : "") + " is already used by game " +
               Number(first->second.game + 1) + " (" + LineAndColumn(first->second.offset) +
               "); selection and star clicks act on the first of them");
    }
  }

  // A text member that is present but does not convert.
  void CheckText(Value object, std::string_view key, std::string_view where,
                 const std::string& fallback) {
    const auto member = object.member(key);
    std::u16string ignored;
    if (IsPresent(member) && !GameData::TryJSONStr(object, key, ignored)) {
      Add(member->position(), "wrong-type",
           "\"" + std::string(key) + "\"" + std::string(where) + " is " + KindName(*member) +
               ", not text; " + fallback);
    }
  }

  void CheckInfo(Value game) {
    const auto info = game.member("info");
    if (!IsPresent(info)) return;
    if (!info->isObject()) {
      Add(info->position(), "wrong-type",
           "\"info\" is " + KindName(*info) +
               ", not an object; the program ignores it and the details show only the game's name");
      return;
    }
    CheckKeys(*info, GameData::kInfoKeys, GameData::kGameKeys, true);
    for (std::string_view key : GameData::kInfoKeys) {
      CheckText(*info, key, " in \"info\"",
                key == "name" ? "the program uses the game's name instead"
                              : "the program uses \"\" instead");
    }
  }

  // url and apkUrl: what the Play and APK buttons will do with them.
  void CheckAddress(Value game, std::string_view key, std::u16string_view address,
                    bool absentMatters, const std::string& notOpened,
                    const std::string& noAddress) {
    const auto member = game.member(key);
    std::u16string ignored;
    const std::string name = "\"" + std::string(key) + "\"";
    if (IsPresent(member) && !GameData::TryJSONStr(game, key, ignored)) return;  // told already
    if (address.empty()) {
      if (!IsPresent(member)) {
        if (!absentMatters) return;
        if (member) {
          Add(member->position(), "address-not-opened", name + " is null; " + noAddress);
        } else {
          Add(game.position(), "address-not-opened", "the game has no " + name + "; " + noAddress);
        }
      } else {
        Add(member->position(), "address-not-opened", name + " is empty; " + noAddress);
      }
    } else if (!GameData::IsWebAddress(address)) {
      Add(member->position(), "address-not-opened",
           name + " " + Quoted(address) + " is not an http or https address; " + notOpened);
    }
  }

  GameData::TAssetFile FindAsset(std::u16string_view subfolder, std::u16string_view name) {
    return GameData::FindAssetFile(JoinPath(folder_, u""), subfolder, name, &folders_);
  }

  // Why a picture the program looks for is not shown, or nothing when it is;
  // `facts` gets what the picture is when it is there.
  struct PictureProblem {
    std::string code;
    std::string text;
  };
  std::optional<PictureProblem> ProblemWith(const GameData::TAssetFile& file,
                                            fmx::PictureFacts& facts) {
    using State = GameData::TAssetFile::TState;
    switch (file.State) {
      case State::Missing:
        return PictureProblem{"missing-file", "not found at " + Utf8(file.Path)};
      case State::OutsideFolder:
        return PictureProblem{"path-outside-data",
                              "leads outside its assets folder (" + Utf8(file.Path) +
                                  "), so the program does not look at it"};
      case State::NotAFile:
        return PictureProblem{"missing-file", "at " + Utf8(file.Path) +
                                                  " is not a regular file, so the program does "
                                                  "not read it"};
      case State::Found:
        facts = Inspect(file.Path);
        if (!facts.decodes) {
          return PictureProblem{"undecodable-image", "cannot be shown: " + facts.reason};
        }
        break;
    }
    return std::nullopt;
  }

  // Games may share a picture; each file is opened once.
  const fmx::PictureFacts& Inspect(const std::u16string& path) {
    auto known = pictures_.find(path);
    if (known == pictures_.end()) known = pictures_.emplace(path, fmx::InspectPicture(path)).first;
    return known->second;
  }

  static std::string Upper(std::string text) {
    for (char& c : text) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
  }

  static std::string Size(const fmx::PictureFacts& facts) {
    return Number(std::size_t(facts.width)) + " x " + Number(std::size_t(facts.height));
  }

  void CheckPicture(Value game, std::string_view key, std::u16string_view subfolder,
                    std::u16string_view name, const std::string& what, const std::string& missing,
                    const std::string& broken) {
    if (name.empty()) return;
    const std::size_t at = game.member(key)->position();
    const GameData::TAssetFile found = FindAsset(subfolder, name);
    fmx::PictureFacts facts;
    const std::string named = what + " " + Quoted(name);
    if (const auto problem = ProblemWith(found, facts)) {
      const bool undecodable = problem->code == "undecodable-image";
      Add(at, problem->code, named + " " + problem->text + "; " + (undecodable ? broken : missing));
      return;
    }
    if (found.CaseDiffers) Add(at, "name-case", named + " " + CaseAdvice(found, subfolder, name));
    if (!facts.contentFormat.empty() && facts.contentFormat != facts.nameFormat) {
      Add(at, "misnamed-image",
          named + " is a " + Upper(facts.contentFormat) + " picture, not " +
              Upper(facts.nameFormat) + " as its name says; it shows, but the name misleads");
    }
    if (subfolder == GameData::kPosterFolder) {
      // The poster area is 672 x 400 and the poster is stretched to fill it.
      const double ratio = double(facts.width) / double(facts.height);
      const double area = 672.0 / 400.0;
      if (std::abs(ratio / area - 1.0) > 0.10) {
        Add(at, "poster-stretched",
            named + " is " + Size(facts) + ", a shape unlike the 672 x 400 poster area; it is "
                    "stretched to fill it");
      }
    } else if (subfolder == GameData::kQRCodeFolder && std::max(facts.width, facts.height) < 84) {
      Add(at, "qr-enlarged",
          named + " is " + Size(facts) + ", smaller than its 84 x 84 square; it is enlarged "
                  "with sharp modules, which scanners read well");
    }
  }

  // Where a name found only by ignoring letter case differs from the disk,
  // and what to rename.
  std::string CaseAdvice(const GameData::TAssetFile& found, std::u16string_view subfolder,
                         std::u16string_view name) const {
    // The path on disk past the data folder: assets, the folder, the file.
    const std::u16string dataFolder = JoinPath(folder_, u"");
    std::vector<std::u16string> parts;
    std::u16string part;
    for (char16_t c : std::u16string_view(found.Path).substr(dataFolder.size())) {
      if (c == u'/' || c == u'\\') {
        parts.push_back(std::move(part));
        part.clear();
      } else {
        part += c;
      }
    }
    parts.push_back(std::move(part));
    const char16_t separator = name.find(u'\\') != std::u16string_view::npos ? u'\\' : u'/';
    std::u16string file;
    for (std::size_t i = 2; i < parts.size(); ++i) {
      if (i > 2) file += separator;
      file += parts[i];
    }
    const std::string works = "matches only ignoring letter case; works on Windows and in Velmar";
    const std::u16string expected = u"assets/" + std::u16string(subfolder);
    const std::u16string onDisk = parts.size() >= 2 ? parts[0] + u"/" + parts[1] : expected;
    if (onDisk != expected) {
      return "is in the folder " + Quoted(onDisk) + ", which " + works + "; rename the folder to " +
             Quoted(expected);
    }
    return "is the file " + Quoted(file) + ", which " + works + "; rename to " + Quoted(file);
  }

  // The two button icons are read whatever games.json holds.
  void CheckIcons() {
    const struct {
      std::u16string_view file;
      const char* effect;
    } icons[] = {{GameData::kAPKIconFile, "the APK button shows no icon"},
                 {GameData::kTelegramIconFile, "the Telegram button shows its caption only"}};
    for (const auto& icon : icons) {
      const GameData::TAssetFile found = FindAsset(GameData::kIconFolder, icon.file);
      fmx::PictureFacts facts;
      if (const auto problem = ProblemWith(found, facts)) {
        const bool missing = found.State == GameData::TAssetFile::TState::Missing;
        AddUnplaced(found.Path, problem->code,
                    "icon " + (missing ? std::string("not found") : problem->text) + "; " +
                        icon.effect);
      } else if (found.CaseDiffers) {
        AddUnplaced(found.Path, "name-case",
                    "icon " + Quoted(icon.file) + " " +
                        CaseAdvice(found, GameData::kIconFolder, icon.file));
      }
    }
  }

  std::u16string folder_;
  std::u16string catalogPath_;
  bool errorsOnly_;
  std::string bytes_;
  std::optional<LineMap> lines_;
  std::vector<Placed> placed_;
  // The first game with an id: its index, and where its id comes from.
  struct FirstUse {
    std::size_t game;
    std::size_t offset;
  };
  std::map<std::int32_t, FirstUse> ids_;
  platform::FolderIndex folders_;
  std::unordered_map<std::u16string, fmx::PictureFacts> pictures_;
  FindingSink& sink_;
  std::size_t maxPerCode_;
  std::map<std::string, std::size_t, std::less<>> perCode_;  // findings of each code so far
  Summary summary_;
};

class Collector : public FindingSink {
 public:
  explicit Collector(std::vector<Finding>& findings) : findings_(findings) {}
  void Add(Finding&& finding) override { findings_.push_back(std::move(finding)); }

 private:
  std::vector<Finding>& findings_;
};

// 999900 as "999,900".
std::string Grouped(std::size_t n) {
  std::string digits = std::to_string(n);
  for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
  return digits;
}

}  // namespace

Summary CheckCatalogFolder(std::u16string_view folder, FindingSink& sink,
                           std::size_t maxPerCode) {
  return Checker(folder, false, sink, maxPerCode).Run();
}

Report CheckCatalogFolder(std::u16string_view folder) {
  Report report;
  Collector collector(report.findings);
  static_cast<Summary&>(report) = CheckCatalogFolder(folder, collector);
  return report;
}

std::optional<Finding> FirstCatalogError(std::u16string_view folder) {
  class FirstError : public FindingSink {
   public:
    void Add(Finding&& finding) override {
      if (!first && finding.severity == Severity::Error) first = std::move(finding);
    }
    std::optional<Finding> first;
  } sink;
  Checker(folder, true, sink, 0).Run();
  return std::move(sink.first);
}

std::u16string JoinPath(std::u16string_view folder, std::u16string_view name) {
  std::u16string path(folder);
  if (!path.empty() && path.back() != u'/' && path.back() != u'\\')
    path += platform::kPathSeparator;
  return path + std::u16string(name);
}

std::string FormatFinding(const Finding& finding) {
  std::string line = Utf8(finding.path);
  if (finding.line > 0) line += ":" + Number(finding.line) + ":" + Number(finding.column);
  line += ": " + std::string(SeverityName(finding.severity)) + ": ";
  return line + finding.message + " [" + finding.code + "]";
}

std::string FormatOmitted(const Omitted& omitted) {
  return "… and " + Grouped(omitted.count) + " more [" + omitted.code + "]";
}

std::string FormatSummary(const Summary& report) {
  auto counted = [](std::size_t n, const char* one, const char* many) {
    return Number(n) + " " + (n == 1 ? one : many);
  };
  return counted(report.games, "game", "games") + ", " +
         counted(report.Count(Severity::Error), "error", "errors") + ", " +
         counted(report.Count(Severity::Warning), "warning", "warnings") +
         (report.Count(Severity::Note) > 0
              ? ", " + counted(report.Count(Severity::Note), "note", "notes")
              : std::string());
}

}  // namespace checker
