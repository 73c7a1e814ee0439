// The published enumerations of the folder tree.
#pragma once

// Which folder the tree starts from. The ordinals are stored values; keep them.
enum TRootFolder {
  rfManual = 0,  // the folder named by RootFolderName, else the drives
  rfDrives,      // My Computer: the Wine prefix's drives
  rfDesktop,     // the desktop directory
  rfFavorites,   // the folders below live in the prefix's user profile
  rfPrograms,
  rfRecent,
  rfSendTo,
  rfStartMenu,
  rfStartup,
  rfAppdata,
  rfTemplates,
  rf_Controls,  // the last three are virtual folders (virtual-root mode)
  rf_Bitbucket,
  rf_Printers,
};

inline bool IsVirtualRoot(TRootFolder r) { return r >= rf_Controls; }

// Which drive a rebuilt My Computer tree opens on.
enum TSelectedDir { sdNone = 0, sdSystem, sdCurrent };
