#include "gui/Forms.h"

#include "gui/Dispatcher.h"
#include "gui/compare/UMerge.h"
#include "gui/filetools/UManyFiles.h"
#include "gui/workbench/UAbout.h"
#include "gui/workbench/UDups.h"
#include "gui/workbench/UExtract.h"
#include "gui/workbench/UFirst.h"
#include "gui/workbench/UGlobal.h"
#include "gui/workbench/UProgressWindow.h"
#include "gui/workbench/URemove.h"
#include "gui/workbench/UResults.h"
#include "gui/workbench/USecond.h"
#include "gui/workbench/UTemplate.h"
#include "gui/workbench/Uposition.h"

namespace rs {

void CreateForms() {
    FrmFirst = new TFrmFirst;
    FrmInsert = new TFrmInsert;
    FrmDups = new TFrmDups;
    FrmMerge = new TFrmMerge;
    FrmExtract = new TFrmExtract;
    FrmPosition = new TFrmPosition;
    FrmGlobal = new TFrmGlobal;
    FrmAbout = new TFrmAbout;
    FrmTemplate = new TFrmTemplate;
    FrmManyFiles = new TFrmManyFiles;
    FrmRemove = new TFrmRemove;
    FrmProgressWindow = new TFrmProgressWindow;
    FrmResults = new TFrmResults;
    InstallDispatcher(*FrmFirst);
}

template <class Form>
void Release(Form*& form) {
    delete form;
    form = nullptr;
}

void DestroyForms() {
    Release(FrmResults);
    Release(FrmProgressWindow);
    Release(FrmRemove);
    Release(FrmManyFiles);
    Release(FrmTemplate);
    Release(FrmAbout);
    Release(FrmGlobal);
    Release(FrmPosition);
    Release(FrmExtract);
    Release(FrmMerge);
    Release(FrmDups);
    Release(FrmInsert);
    Release(FrmFirst);
}

}  // namespace rs
