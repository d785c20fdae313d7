#include "catalog/addresses.h"

namespace GameData {

bool IsWebAddress(std::u16string_view address) {
  const std::size_t colon = address.find(u':');
  if (colon == std::u16string_view::npos) return false;
  std::u16string scheme(address.substr(0, colon));
  for (char16_t& unit : scheme) {
    if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit - u'A' + u'a');
  }
  return scheme == u"http" || scheme == u"https";
}

}  // namespace GameData
