// The explorer's icon lists: each icon's number in its list, beside the table of the files
// the window loads into that list.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

template <class Icon>
struct IconFile {
  Icon icon;
  const char* file;  // the icon's name among the program's icons
};

// Whether a table holds each icon at its own number (from 1), so the list loads in order.
template <class Icon, size_t N>
constexpr bool Numbered(const std::array<IconFile<Icon>, N>& table) {
  for (size_t i = 0; i < N; ++i)
    if (static_cast<size_t>(table[i].icon) != i + 1) return false;
  return true;
}

// The panels' icons (a panel entry's ICON).
enum class PanelIcon : int32_t { Folder = 1, File, FolderFile, Picture, FolderIcon, Video, Parent, Audio };
inline constexpr std::array<IconFile<PanelIcon>, 8> kPanelIcons = {{
    {PanelIcon::Folder, "VistaFolder"},
    {PanelIcon::File, "VistaFile"},
    {PanelIcon::FolderFile, "VistaFileOK"},
    {PanelIcon::Picture, "VistaImage"},
    {PanelIcon::FolderIcon, "VistaMulImage"},
    {PanelIcon::Video, "VistaMovie"},
    {PanelIcon::Parent, "VistaFolderUp"},
    {PanelIcon::Audio, "VistaAudio2"},
}};
static_assert(Numbered(kPanelIcons));

// The drive lists' icons (a drive's DICON).
enum class DriveIcon : int32_t { FixedDisk = 1, OtherDrive };
inline constexpr std::array<IconFile<DriveIcon>, 2> kDriveIcons = {{
    {DriveIcon::FixedDisk, "HDD"},
    {DriveIcon::OtherDrive, "CD1"},
}};
static_assert(Numbered(kDriveIcons));
