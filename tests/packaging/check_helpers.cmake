# SPDX-License-Identifier: GPL-3.0-or-later
# Small helpers shared by the packaging checks: fail with a message, the pixel
# size of a PNG, one key of a desktop entry, the text of one XML element.

# Fail the check unless the two strings (or lists) are equal.
function(check_equal actual expected what)
  if(NOT "${actual}" STREQUAL "${expected}")
    message(FATAL_ERROR "${what}:\n  got      ${actual}\n  expected ${expected}")
  endif()
endfunction()

# Fail the check unless the file exists.
function(check_exists path what)
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "${what}: ${path} does not exist")
  endif()
endfunction()

# Width and height from the IHDR chunk (bytes 16 to 23, big-endian) and the
# 8-byte signature, as hex.
function(png_size file out_width out_height out_signature)
  file(READ ${file} head LIMIT 24 HEX)
  string(SUBSTRING "${head}" 0 16 signature)
  string(SUBSTRING "${head}" 32 8 w)
  string(SUBSTRING "${head}" 40 8 h)
  math(EXPR w "0x${w}")
  math(EXPR h "0x${h}")
  set(${out_width} ${w} PARENT_SCOPE)
  set(${out_height} ${h} PARENT_SCOPE)
  set(${out_signature} ${signature} PARENT_SCOPE)
endfunction()

# The value of an unlocalised key of a desktop entry (empty when absent).
function(desktop_value file key out)
  file(STRINGS ${file} lines REGEX "^${key}=")
  list(LENGTH lines count)
  if(count EQUAL 1)
    string(REGEX REPLACE "^${key}=" "" value "${lines}")
  else()
    set(value "")
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

# The text between the first `open` and the next `close` (empty when absent).
function(xml_text file open close out)
  file(READ ${file} xml)
  string(FIND "${xml}" "${open}" start)
  set(value "")
  if(start GREATER -1)
    string(LENGTH "${open}" len)
    math(EXPR start "${start} + ${len}")
    string(SUBSTRING "${xml}" ${start} -1 rest)
    string(FIND "${rest}" "${close}" end)
    if(end GREATER -1)
      string(SUBSTRING "${rest}" 0 ${end} value)
    endif()
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()
