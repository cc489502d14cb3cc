# SPDX-FileCopyrightText: 2026 The Quorvel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The tests' homes afresh: HOMES removed, then each test in TESTS (separated
# by commas) given its runtime folder, private as a session's is. Qt makes
# none where the home itself is missing, and warns at every start.
file(REMOVE_RECURSE ${HOMES})
string(REPLACE "," ";" tests "${TESTS}")
foreach(name IN LISTS tests)
  file(MAKE_DIRECTORY ${HOMES}/${name}/runtime)
  file(CHMOD ${HOMES}/${name}/runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
endforeach()
