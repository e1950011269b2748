#pragma once

namespace documents {

// The file formats a picture is saved in.
enum class PictureFormat { Png, Gif };

} // namespace documents
