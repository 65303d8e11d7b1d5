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
  - With I(restore), the printer is brought back to its newest backup in that folder, found by
    its MAC address (C(zephra-cli restore)), in place of a profile.
author:
  - Zephra developers (!UNKNOWN)
options:
  profile:
    description:
      - Path of a profile file on the managed host, as C(zephra-cli read --out) or the Zephra
        program saves it. The file names the printer family it is for.
      - Exactly one of I(profile), I(settings) and I(restore) is required.
    type: path
  settings:
    description:
      - The profile's settings, by the names a profile file uses (for example C(ssid),
        C(security), C(ip_address)).
      - Exactly one of I(profile), I(settings) and I(restore) is required.
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
  restore:
    description:
      - A folder on the managed host of backups that I(backup) made. The printer is brought
        back to its newest backup there, chosen by its MAC address; a printer with none there
        fails the task with nothing written.
      - Exactly one of I(profile), I(settings) and I(restore) is required.
    type: path
  backup:
    description:
      - Keeps the printer's settings, as read, in a file in I(backup_dir) before anything is
        written to it, and returns its path as C(backup_path). A printer already at the profile
        is not written, and gets no backup.
    type: bool
    default: false
  backup_dir:
    description:
      - The folder on the managed host for I(backup); made, readable by its owner alone, when
        it is not there. The files are readable by their owner alone, since they hold keys.
    type: path
    default: ~/.zephra/backups
  verify:
    description:
      - Once the printer is written, or found already at the profile, in Infrastructure mode,
        waits until it accepts a TCP connection on its address and port
        (C(zephra-cli --verify)), sending no byte. A printer that stays unreachable fails the
        task with the reason, and with C(changed=true) when it was written; its settings stay
        as written.
      - The address is its static one; with DHCP, I(address), then a Wi-Fi module's mDNS name
        as the profile gives it, then the host's neighbour (ARP) table by its MAC address. A
        printer whose address none of these gives, or an access point, is not checked, which
        C(network) says.
    type: bool
    default: false
  verify_timeout:
    description:
      - Seconds I(verify) waits for the printer from the start of its save; added to
        I(timeout).
    type: int
    default: 60
  address:
    description:
      - With I(verify), the printer's address when it takes one from DHCP, as the site's DHCP
        server gives it.
    type: str
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

- name: The same, with a backup first, and the printer seen on its network after
  zephra.printer.wlan:
    port: /dev/ttyUSB0
    profile: /etc/zephra/office.json
    key: "{{ vault_office_wlan_key }}"
    backup: true
    verify: true
    verify_timeout: 90

- name: Put the printer back as its newest backup has it
  zephra.printer.wlan:
    port: /dev/ttyUSB0
    restore: ~/.zephra/backups

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
backup_path:
  description: The file the printer's settings were kept in before the write.
  returned: when I(backup) was given and the printer was written
  type: str
  sample: /root/.zephra/backups/00-1A-2B-3C-4D-5E_2026-12-08@10-09-29.123.json
restored_from:
  description: The backup that I(restore) brought the printer to.
  returned: with I(restore), when the printer has a backup
  type: str
  sample: /root/.zephra/backups/00-1A-2B-3C-4D-5E_2026-12-08@10-09-29.123.json
network:
  description:
    - With I(verify), whether the printer was seen on its network. C(state) is C(reachable)
      (with C(address), C(port), C(seconds) and C(found_by), one of C(static),
      C(command_line), C(mdns) or C(neighbour)), C(unreachable) (with C(address), C(port) and
      C(reason)) or C(not_checked) (with C(reason)).
  returned: with I(verify), when the printer was written or already at the profile
  type: dict
  sample: {"state": "reachable", "address": "10.0.0.21", "port": 9100, "seconds": 7.2,
           "found_by": "static"}
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


def backup_folder(module):
    """The backup folder, made for the owner alone when it is not there."""
    folder = module.params['backup_dir']
    if not os.path.isdir(folder) and not module.check_mode:
        try:
            os.makedirs(folder, 0o700)
        except OSError as e:
            module.fail_json(msg='cannot make the backup folder %s: %s' % (
                folder, e.strerror or e))
    return folder


def write_arguments(module):
    """The options apply and restore take alike."""
    params = module.params
    args = link_arguments(params) + ['--json']
    for given, option in ((module.check_mode, '--check'), (params['strict'], '--strict'),
                          (params['verify'], '--verify=%d' % params['verify_timeout'])):
        if given:
            args.append(option)
    if params['backup']:
        args.append('--backup=' + backup_folder(module))
    if params['address'] is not None:
        args.append('--address=' + params['address'])
    return args


def apply(module, profile_path, label, command='apply'):
    """Runs zephra-cli apply, or restore from the folder profile_path, and ends the task."""
    params = module.params
    args = [command, profile_path] + write_arguments(module)
    key = params['key']
    if key is not None:
        args.append('--key-stdin')
    run = ZephraCliRun(module, args, key=key,
                       waits=params['verify_timeout'] if params['verify'] else 0)
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
    for name, returned in (('backup', 'backup_path'), ('restored_from', 'restored_from'),
                           ('network', 'network')):
        if name in printer:
            particulars[returned] = printer[name]
    if skipped:
        module.warn('Skipped, left as the printer has them: %s' % ', '.join(
            '%s (%s)' % (entry['setting'], entry['reason']) for entry in skipped))
    result = printer.get('result')
    changed = result == 'applied' or (module.check_mode and result == 'would-change')
    network = printer.get('network', {})
    if network.get('state') == 'unreachable':
        # As wait_for fails; what was written stays written, and so is a change.
        run.fail('unreachable at %s:%s: %s' % (network.get('address'), network.get('port'),
                                               network.get('reason')),
                 changed=changed, **particulars)
    if result not in ('applied', 'unchanged', 'would-change') or run.rc not in (0, 3):
        message = '%s: %s' % (result, printer.get('message') or 'no message')
        run.fail(message.replace(profile_path, label), **particulars)
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
        restore=dict(type='path'),
        backup=dict(type='bool', default=False),
        backup_dir=dict(type='path', default='~/.zephra/backups'),
        verify=dict(type='bool', default=False),
        verify_timeout=dict(type='int', default=60),
        address=dict(type='str'),
    )
    options.update(LINK_OPTIONS)
    module = AnsibleModule(
        argument_spec=options,
        required_one_of=[('profile', 'settings', 'restore')],
        mutually_exclusive=[('profile', 'settings', 'restore'), ('profile', 'family'),
                            ('restore', 'family'), ('restore', 'overrides'), ('restore', 'key')],
        required_by={'settings': 'family'},
        supports_check_mode=True,
    )
    check_link(module)
    if module.params['restore'] is not None:
        folder = os.path.abspath(module.params['restore'])
        apply(module, folder, folder, command='restore')
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
