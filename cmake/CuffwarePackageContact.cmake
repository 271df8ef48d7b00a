# The maintainer the release packages name: CUFFWARE_PACKAGE_CONTACT when
# given ("Name <address>", as -D at configure or in the environment), else
# the packager as Debian's tools know them (DEBFULLNAME and DEBEMAIL), else
# the author of the commit being packaged, so that one commit gives one
# package wherever it is built. Worked out at each configure.
set(CUFFWARE_PACKAGE_CONTACT "" CACHE STRING
    "Maintainer of the release packages: Name <address> (empty: worked out)")
# (A build tree configured before kept the old placeholder in its cache.)
if(CUFFWARE_PACKAGE_CONTACT STREQUAL "Cuffware Builder developers <cuffware@example.org>")
  set_property(CACHE CUFFWARE_PACKAGE_CONTACT PROPERTY VALUE "")
endif()

set(contact "$CACHE{CUFFWARE_PACKAGE_CONTACT}")
if(NOT contact)
  set(contact "$ENV{CUFFWARE_PACKAGE_CONTACT}")
endif()
if(NOT contact)
  set(packager_name "$ENV{DEBFULLNAME}")
  set(packager_email "$ENV{DEBEMAIL}")
  foreach(field name email)
    if(NOT packager_${field})
      string(SUBSTRING ${field} 0 1 letter)  # %an, %ae
      execute_process(COMMAND git log -1 --format=%a${letter}
                      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                      OUTPUT_VARIABLE packager_${field} OUTPUT_STRIP_TRAILING_WHITESPACE
                      ERROR_QUIET)
    endif()
  endforeach()
  if(NOT packager_name)
    set(packager_name "Cuffware Builder developers")
  endif()
  if(packager_email)
    set(contact "${packager_name} <${packager_email}>")
  else()
    message(WARNING "No maintainer address for the packages: set CUFFWARE_PACKAGE_CONTACT")
    set(contact "${packager_name}")
  endif()
endif()
set(CUFFWARE_PACKAGE_CONTACT "${contact}")
