// The explorer's records: a panel entry, a drive of the drive lists, a folder of a history.
#include "app/Explorer.h"

const QPANELFIELDS QPANELF;
const QDRIVEFIELDS QDRIVEF;
const QHISTORYFIELDS QHISTORYF;
