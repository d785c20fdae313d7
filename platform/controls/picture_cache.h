#pragma once

namespace fmx {

// Pictures are decoded at the size they are drawn and kept in a small cache
// keyed by the file's path and stamp (size, times, identity). This forgets every
// decoded picture, so the next showing reads and decodes its file again: for
// benchmarks and tests that measure or check a first showing.
void ClearPictureCache();

}  // namespace fmx
