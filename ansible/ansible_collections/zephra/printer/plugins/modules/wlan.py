#!/usr/bin/python
# -*- coding: utf-8 -*-
# Copyright (c) 2026 The Zephra developers
# MIT License (see LICENSE)

from __future__ import absolute_import, division, print_function
__metaclass__ = type

DOCUMENTATION = r'''
module: wlan
short_description: Brings a printer's WLAN settings to a profile
description:
  - Writes a profile of WLAN settings to a printer on a serial port or on USB of the managed
    host, with C(zephra-cli apply), and reads them back to confirm them.
  - The printer is read first; a printer that already holds the profile is left alone and the
    task reports no change.
  - The profile is a file on the managed host, or settings given in the task. Per-host values,
    such as the printer's own address, are merged over its settings.
  - A setting the profile holds that the printer's save would not write, as a module's mDNS
    host name in Infrastructure mode, is skipped; the printer keeps its own value, which is no
    change. The task warns of it on every run while the two differ, and returns it in
    C(skipped_settings). I(strict) refuses such a printer instead.
author:
  - Zephra developers (!UNKNOWN)
options:
  profile:
    description:
      - Path of a profile file on the managed host, as C(zephra-cli read --out) or the Zephra
        program saves it. The file names the printer family it is for.
      - Exactly one of I(profile) and I(settings) is required.
    type: path
  settings:
    description:
      - The profile's settings, by the names a profile file uses (for example C(ssid),
        C(security), C(ip_address)).
      - Exactly one of I(profile) and I(settings) is required.
      - Give a key with I(key), not here, where Ansible shows it with the task's arguments.
    type: dict
  family:
    description:
      - The printer family the I(settings) are for. Required with I(settings); a profile file
        names its own.
    type: str
    choices: [current, legacy, module]
  overrides:
    description:
      - Settings merged over those of the profile, for the values that differ from printer to
        printer, such as C(ip_address).
    type: dict
  key:
    description:
      - The security key to write, where the profile's security keeps its key. It reaches
        zephra-cli on its standard input and is never logged or shown.
      - Left out, the printer's key is left as it is unless the profile holds one.
    type: str
  strict:
    description:
      - Refuses a printer, and fails the task, when the save would skip a setting the profile
        holds (C(zephra-cli apply --strict)). Nothing is written to that printer.
      - For sites that want a profile to mean exactly what it says.
    type: bool
    default: false
notes:
  - The settings are checked by zephra-cli, against the printer's own page; the task fails
    with its message when it refuses them.
extends_documentation_fragment:
  - zephra.printer.link
  - zephra.printer.link.printer
  - ansible.builtin.action_common_attributes
attributes:
  check_mode:
    support: full
    details: The printer is read and compared with the profile; nothing is written.
  diff_mode:
    support: full
    details: A key that changes is shown masked, never its text.
  platform:
    platforms: posix
seealso:
  - module: zephra.printer.wlan_info
  - module: zephra.printer.ports_info
'''

EXAMPLES = r'''
- name: Bring the office printers to the office profile, each with its own address
  zephra.printer.wlan:
    port: /dev/ttyUSB0
    profile: /etc/zephra/office.json
    overrides:
      ip_address: "{{ printer_ip }}"
    key: "{{ vault_office_wlan_key }}"

- name: Settings given in the task, to the printer on USB
  zephra.printer.wlan:
    usb: true
    family: current
    settings:
      ssid: Warehouse
      dhcp: true
'''

RETURN = r'''
family:
  description: The printer's family.
  returned: when the printer was identified
  type: str
  sample: current
model:
  description: The printer's model character.
  returned: when the printer was identified
  type: str
  sample: '5'
mac:
  description: The printer's MAC address.
  returned: when the printer was read
  type: str
  sample: 00:1A:2B:3C:4D:5E
version:
  description: The printer's firmware version.
  returned: when the printer was read
  type: str
  sample: V1.04
changes:
  description:
    - The settings that differ between the printer and the profile, each with the value it had
      (C(from)) and the profile's (C(to)).
    - A key is never given; its entry has C(key) set to C(changes) or C(unchanged).
    - Settings the save would not write are not here but in C(skipped_settings).
  returned: when the printer was read
  type: list
  elements: dict
  sample: [{"setting": "ssid", "from": "Printer-AP", "to": "Office"},
           {"setting": "key", "key": "changes"}]
skipped_settings:
  description:
    - The settings the profile holds, with other values than the printer's, that the printer's
      save would not write in the mode and security it ends up in, each with the C(reason).
      The printer keeps its own values; they are no change, and the task warns of them.
    - Not named C(skipped), which Ansible takes for a task that did not run.
  returned: when the printer was read
  type: list
  elements: dict
  sample: [{"setting": "mdns_host_name", "reason": "not written in Infrastructure mode"}]
'''

import json
import os
import tempfile

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.zephra.printer.plugins.module_utils.zephra_cli import (
    LINK_OPTIONS, ZephraCliRun, check_link, last_line, link_arguments)

PROFILE_FORMAT = 'zephra-printer-settings'
PROFILE_VERSION = 1
MASKED = '(masked)'


def profile_document(module):
    """The profile to apply with its overrides merged, and how to name it in messages; None
    when the profile file is applied as it is."""
    params = module.params
    overrides = params['overrides'] or {}
    if params['settings'] is not None:
        settings = dict(params['settings'])
        settings.update(overrides)
        return {'format': PROFILE_FORMAT, 'version': PROFILE_VERSION,
                'family': params['family'], 'settings': settings}, 'settings'
    # Absolute, so that no name is taken for an option.
    path = os.path.abspath(params['profile'])
    if not overrides:
        return None, path
    try:
        with open(path, 'rb') as f:
            document = json.loads(f.read().decode('utf-8'))
    except (IOError, OSError) as e:
        module.fail_json(msg='cannot read the profile %s: %s' % (path, e.strerror or e))
    except ValueError as e:
        module.fail_json(msg='%s is not a profile: %s' % (path, e))
    if not isinstance(document, dict) or not isinstance(document.get('settings'), dict):
        module.fail_json(msg='%s is not a profile: it has no settings to take the overrides' % path)
    document['settings'].update(overrides)
    return document, '%s with its overrides' % path


def diff_of(changes):
    """The diff of the changes proper, skipped settings already taken out."""
    before, after = {}, {}
    for change in changes:
        name = change.get('setting')
        if 'key' in change:
            # A key's text is never shown; that it changes is.
            if change['key'] == 'changes':
                before[name], after[name] = MASKED, '(masked, changed)'
        else:
            before[name], after[name] = change.get('from'), change.get('to')
    return {'before': before, 'after': after}


def apply(module, profile_path, label):
    args = ['apply', profile_path] + link_arguments(module.params) + ['--json']
    if module.check_mode:
        args.append('--check')
    if module.params['strict']:
        args.append('--strict')
    key = module.params['key']
    if key is not None:
        args.append('--key-stdin')
    run = ZephraCliRun(module, args, key=key)
    printer = run.printer()
    if printer is None:
        run.fail(last_line(run.stderr).replace(profile_path, label))
    particulars = dict((name, printer.get(name, '')) for name in ('family', 'model', 'mac',
                                                                  'version'))
    # zephra-cli lists the settings its save would skip among the changes; they are none.
    entries = printer.get('changes', [])
    particulars['changes'] = [entry for entry in entries if 'skipped' not in entry]
    skipped = [dict(setting=entry.get('setting'), reason=entry['skipped'])
               for entry in entries if 'skipped' in entry]
    particulars['skipped_settings'] = skipped
    if skipped:
        module.warn('Skipped, left as the printer has them: %s' % ', '.join(
            '%s (%s)' % (entry['setting'], entry['reason']) for entry in skipped))
    result = printer.get('result')
    if result not in ('applied', 'unchanged', 'would-change') or run.rc not in (0, 3):
        message = '%s: %s' % (result, printer.get('message') or 'no message')
        run.fail(message.replace(profile_path, label), **particulars)
    changed = result == 'applied' or (module.check_mode and result == 'would-change')
    outcome = dict(changed=changed, **particulars)
    if module._diff:
        outcome['diff'] = diff_of(particulars['changes'])
    module.exit_json(**outcome)


def main():
    options = dict(
        profile=dict(type='path'),
        settings=dict(type='dict'),
        family=dict(type='str', choices=['current', 'legacy', 'module']),
        overrides=dict(type='dict'),
        key=dict(type='str', no_log=True),
        strict=dict(type='bool', default=False),
    )
    options.update(LINK_OPTIONS)
    module = AnsibleModule(
        argument_spec=options,
        required_one_of=[('profile', 'settings')],
        mutually_exclusive=[('profile', 'settings'), ('profile', 'family')],
        required_by={'settings': 'family'},
        supports_check_mode=True,
    )
    check_link(module)
    document, label = profile_document(module)
    if document is None:
        apply(module, label, label)
    # Created for the owner alone, since the profile may hold a key; removed however the run
    # ends.
    fd, path = tempfile.mkstemp(prefix='zephra-profile-', suffix='.json', dir=module.tmpdir)
    try:
        with os.fdopen(fd, 'w') as f:
            json.dump(document, f)
        apply(module, path, label)
    finally:
        os.remove(path)


if __name__ == '__main__':
    main()
