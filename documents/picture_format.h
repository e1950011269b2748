#pragma once

namespace cli {

// The file formats a picture is saved in.
enum class PictureFormat { Png, Gif };

} // namespace cli
