#!/usr/bin/env bash
# Fails when a Windows program imports a DLL that a stock Windows does not ship.
set -euo pipefail
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|COMCTL32|OLE32|OLEAUT32|WTSAPI32|UXTHEME|DWMAPI|D3D9|PSAPI|SHLWAPI|COMDLG32|WINMM|msvcrt|IMM32|VERSION)\.dll$'
status=0
for program in "$@"; do
  while read -r dll; do
    if ! grep -qiE "$allowed" <<<"$dll"; then
      echo "$program imports $dll, which Windows does not ship" >&2
      status=1
    fi
  done < <(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^\s*DLL Name: //p')
done
[[ $status -eq 0 ]] && echo "only system DLLs imported by: $*"
exit $status
