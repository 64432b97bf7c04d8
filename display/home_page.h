#pragma once
// The maker's home page: drawn at the end of each game and opened by the settings dialog.

constexpr const char* kHomePageAddress = "https://www.brenholt.com/quorvane";
