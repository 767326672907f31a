#pragma once
// The words the card operations show, exactly as the operator knows them.

namespace vx::texts {

inline constexpr const char* kFacilityCodeError = "Facility Code is Error!";
inline constexpr const char* kCardNumberError = "Card Number is Error!";
inline constexpr const char* kCardEnd = " The Card is End!";
inline constexpr const char* kWriteFail = "Write Block Data Fail";
inline constexpr const char* kReadBackFail = "Read Block Data Fail";
inline constexpr const char* kVerifyFail = "Verify Block Data Fail";
inline constexpr const char* kWriteSuccess = "Write AND Read Block Success";
inline constexpr const char* kReadFail = "Read Card Data Fail";

}  // namespace vx::texts
