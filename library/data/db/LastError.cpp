#include "data/db/LastError.h"

#include <cstring>
#include <new>

#include "zqplatform/dbexcept.h"
#include "zqplatform/dbmsgbox.h"
#include "zqplatform/msgbox.h"

namespace zqv::db {

void ShowError(const std::string& text) { AfxMessageBox(text.c_str(), MB_ICONHAND | MB_OK, 0); }

void LastError::SetContext(const char* name) {
  context = name;
  errorText.clear();
  nativeCode = 0;
  errorCode = 0;
}

void LastError::RecordOwn(int32_t code, std::string text, bool show) {
  errorCode = code;
  errorText = std::move(text);
  if (show) ShowError(errorText);
}

bool LastError::RecordCurrent(const OperationTexts& texts, bool show, std::string_view sql) {
  auto otherText = [&] {
    return "Unknown Exception (" + std::to_string(nativeCode) + ") in " + texts.operation + " :\n\n" + messageBuffer;
  };
  auto fromMessage = [&](const CException& e) {
    uint32_t help = 0;
    messageBuffer[0] = '\0';
    e.GetErrorMessage(messageBuffer, sizeof messageBuffer, &help);
    nativeCode = static_cast<int32_t>(help);
    errorText = messageBuffer;
  };
  auto memoryCase = [&](const CException& e) {
    fromMessage(e);
    if (!show) return;
    messageText = texts.memory ? std::string(texts.memory) : otherText();
    if (texts.memory && texts.memoryWithSql) messageText.append(sql);
    ShowError(messageText);
  };
  try {
    throw;
  } catch (const CDBException& e) {
    nativeCode = e.m_nRetCode;
    errorText = e.m_strError;
    if (show) {
      messageText = std::string(texts.dbError) + errorText;
      if (texts.dbWithSql) messageText.append("\n\n with SQL SELECT : \n\n").append(sql);
      ShowError(messageText);
    }
  } catch (const CMemoryException& e) {
    memoryCase(e);
  } catch (const std::bad_alloc&) {
    memoryCase(CMemoryException());
  } catch (const CException& e) {
    fromMessage(e);
    if (show) {
      messageText = otherText();
      ShowError(messageText);
    }
  } catch (...) {
    return false;
  }
  return true;
}

}  // namespace zqv::db
