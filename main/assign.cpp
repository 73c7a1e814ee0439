// Assigning a file or an archive entry chosen in the folder tree to the selected scene.
#include "formmain.h"

void TFormMain::PopupMenuTreeAssignClick() {}
