#pragma once
// The words the card operations show, exactly as the operator knows them in
// English; each is translated where it is shown.

#include "i18n/translate.h"

namespace vx::texts {

inline constexpr LazyText kFacilityCodeError = TrLater("Facility Code is Error!");
inline constexpr LazyText kCardNumberError = TrLater("Card Number is Error!");
// TRANSLATORS: the card-number list has no card left to write.
inline constexpr LazyText kCardEnd = TrLater(" The Card is End!");
inline constexpr LazyText kWriteFail = TrLater("Write Block Data Fail");
inline constexpr LazyText kReadBackFail = TrLater("Read Block Data Fail");
inline constexpr LazyText kVerifyFail = TrLater("Verify Block Data Fail");
inline constexpr LazyText kWriteSuccess = TrLater("Write AND Read Block Success");
inline constexpr LazyText kReadFail = TrLater("Read Card Data Fail");

}  // namespace vx::texts
