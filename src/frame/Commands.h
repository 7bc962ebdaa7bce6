// Command ids of the menu, the accelerators and the toolbar.
#pragma once

namespace varp {

enum CommandId : int {
    CmdBaseFolder = 32771,
    CmdFileOpen = 32772,
    CmdFileSave = 32773,
    CmdFileSaveAs = 32774,
    CmdSwapDisplays = 32775,
    CmdScanFolder = 32776,
    CmdSkinOpen = 32777,
    CmdMixMode = 32778,
    CmdCameraMode = 32779,
    CmdPaintMode = 32780,
    CmdMappingMode = 32781,
    CmdSkinClose = 32782,
    CmdSkinSave = 32783,
    CmdSkinSaveAs = 32784,
    CmdSkinNew = 32785,
    CmdSkinRevert = 32786,
    CmdSkinStore = 32787,
    CmdSkinLink = 32788,
    CmdSkinUnlink = 32789,
    CmdSkinMoveUp = 32793,
    CmdSkinMoveDown = 32794,
    CmdSkinReload = 32795,
    CmdSelectAll = 32796,
    CmdSelectNone = 32797,
    CmdInvertSelection = 32798,
    CmdUndo = 32800,
    CmdRedo = 32801,
    CmdOpenGameModel = 32802,
    CmdCheckPackage = 32803,
    CmdUseGamePalette = 32804,
    CmdConvertToGamePalette = 32805,
    CmdMakeMenuIcon = 32806,
    CmdPlayAnimation = 32807,
    CmdSkinImportImage = 32808,
    CmdSkinImportImageAsNew = 32809,
    CmdSkinExportImage = 32810,
    CmdExportUvTemplate = 32811,
    CmdAbout = 57664,
    CmdExit = 57665,
};

}  // namespace varp
